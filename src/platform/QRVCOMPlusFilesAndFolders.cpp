// The data folder, its Database folder and the user log path, from the shell and the registry.
#include "platform/QRVCOMPlusFilesAndFolders.h"

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/ShellFolders.h"

namespace QRVCOMPlusFilesAndFolders {
namespace {

// base + "Velantis" + "QRVCOM+", each followed by the separator.
QString velantisFolderUnder(const QString &base)
{
    const QString separator = platform::folderSeparator();
    return base + separator + QStringLiteral("Velantis") + separator + QStringLiteral("QRVCOM+") + separator;
}

// The data folder under the shell's common application-data folder.
QString shellDataFolder() { return velantisFolderUnder(specialFolderPath(platform::kCommonAppDataFolder)); }

} // namespace

QString specialFolderPath(qint32 folder) { return platform::shellFolders().specialFolderPath(folder); }

Variant registryValue(platform::RootKey root, const QString &keyPath, const QString &valueName,
                      const Variant &defaultValue)
{
    return platform::registryValue(root, keyPath, valueName, defaultValue);
}

QString commonAppDataFolder()
{
    const QString keyPath = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    const Variant folder = QRVCOMPlusFilesAndFolders::registryValue(
        platform::RootKey::LocalMachine, keyPath, QStringLiteral("Common AppData"), Variant::text(QString()));
    return folder.toText();
}

QString dataFolder()
{
    const QString fromShell = shellDataFolder();
    if (platform::folderExists(fromShell))
        return fromShell;
    return velantisFolderUnder(commonAppDataFolder());
}

QString hostDataFolder()
{
    const QString fromShell = shellDataFolder();
    if (platform::folderExists(fromShell) || commonAppDataFolder().isEmpty())
        return fromShell;
    return dataFolder();
}

QString databaseFolder() { return dataFolder() + QStringLiteral("Database") + platform::folderSeparator(); }

QString userLogPath() { return dataFolder() + QStringLiteral("User_Log.txt"); }

} // namespace QRVCOMPlusFilesAndFolders
