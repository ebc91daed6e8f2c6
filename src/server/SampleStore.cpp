// The sample store's folders and file, made for every user of the machine.
#include "server/SampleStore.h"

#include "platform/QRVCOMPlusFilesAndFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <stdexcept>

namespace server {
namespace {

constexpr QFile::Permissions kEveryoneReadWrite = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                  | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
constexpr QFile::Permissions kEveryoneFolder =
    kEveryoneReadWrite | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

void makeSharedFolder(const QString &folder)
{
    QStringList missing;
    for (QDir dir(folder); !dir.exists(); dir.setPath(QFileInfo(dir.path()).path()))
        missing << dir.path();
    if (!QDir().mkpath(folder))
        throw std::runtime_error("cannot create the folder " + folder.toStdString()
                                 + " (set VELANTIS_COMMON_APPDATA to a folder you may write to)");
    for (const QString &made : missing)
        QFile::setPermissions(made, kEveryoneFolder);
}

void makeSharedFile(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        file.close();
        file.setPermissions(kEveryoneReadWrite);
    }
}

} // namespace

QString sampleStorePath(SampleStoreFile file)
{
    makeSharedFolder(QRVCOMPlusFilesAndFolders::hostDataFolder());
    const QString databaseFolder = QRVCOMPlusFilesAndFolders::databaseFolder();
    makeSharedFolder(databaseFolder);
    const QString path = databaseFolder + QStringLiteral("SampleStore.sqlite");
    if (file == SampleStoreFile::Made)
        makeSharedFile(path);
    return path;
}

} // namespace server
