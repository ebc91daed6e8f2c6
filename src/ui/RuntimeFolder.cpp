// The private runtime folder of a process without a desktop session.
#include "ui/RuntimeFolder.h"

#include <QDir>
#include <QFile>

namespace {

// Qt asks for XDG_RUNTIME_DIR only where the XDG base folders apply.
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
constexpr bool kXdgFolders = true;
#else
constexpr bool kXdgFolders = false;
#endif

} // namespace

PrivateRuntimeFolder::PrivateRuntimeFolder()
{
    if (!kXdgFolders || !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/partition-settings-XXXXXX"));
    if (!folder->isValid())
        return; // Qt then falls back to a folder of its own, with its warning
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder->path()));
    m_folder = std::move(folder);
}
