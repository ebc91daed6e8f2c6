// Font files outside Qt's font database. Windows and macOS list their own
// font folders in QStandardPaths; on other systems Wine's metric-compatible
// Windows fonts lie under the data folders ("wine/fonts"), which fontconfig
// does not index.
#include "partition_settings/dialog/FontFiles.h"

#include <QStandardPaths>

namespace fontFiles {

#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)

QStringList located(const QString &fileName)
{
    return QStandardPaths::locateAll(QStandardPaths::FontsLocation, fileName);
}

#else

QStringList located(const QString &fileName)
{
    return QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("wine/fonts/") + fileName);
}

#endif

} // namespace fontFiles
