// The platform's special-folder lookup and its scoped replacement.
#include "platform/ShellFolders.h"

#ifdef Q_OS_WIN
#include <shlobj.h>
#include <windows.h>
#else
#include <QByteArray>
#include <QFile>
#endif

namespace platform {
namespace {

#ifdef Q_OS_WIN

class SystemShellFolders : public ShellFolders
{
public:
    // Asks the shell for the folder's item list (no owner window), turns it
    // into a path in a buffer of MAX_PATH characters and frees the list.
    QString specialFolderPath(qint32 folder) const override
    {
        PIDLIST_ABSOLUTE itemList = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, int(folder), &itemList)))
            return {};
        char buffer[MAX_PATH] = {};
        QString path;
        if (SHGetPathFromIDListA(itemList, buffer))
            path = QString::fromLocal8Bit(buffer); // up to the first NUL
        CoTaskMemFree(itemList);
        return path;
    }
};

#else

class SystemShellFolders : public ShellFolders
{
public:
    QString specialFolderPath(qint32 folder) const override
    {
        if (folder != kCommonAppDataFolder)
            return {};
        const QByteArray named = qgetenv("VELANTIS_COMMON_APPDATA");
        return named.isEmpty() ? QStringLiteral("/var/lib") : QFile::decodeName(named);
    }
};

#endif

const ShellFolders *&current()
{
    static const SystemShellFolders system;
    static const ShellFolders *inForce = &system;
    return inForce;
}

} // namespace

const ShellFolders &shellFolders() { return *current(); }

ScopedShellFolders::ScopedShellFolders(const ShellFolders &replacement) : m_previous(current())
{
    current() = &replacement;
}

ScopedShellFolders::~ScopedShellFolders() { current() = m_previous; }

} // namespace platform
