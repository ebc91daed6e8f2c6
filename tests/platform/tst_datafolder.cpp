// The data folder: the shell's common application-data folder when it holds
// Velantis/QRVCOM+/, otherwise the registry's "Common AppData" (checked no
// further); the Database folder and the user log below it.
#include "ScopedEnvironment.h"
#include "RaisedErrors.h"
#include "core/RuntimeError.h"
#include "data/QRVCOMPlusFilesAndFolders.h"
#include "platform/FileRegistry.h"
#include "platform/ShellFolders.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QString kShellFoldersKey = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");

// A shell whose every lookup fails.
class FailingShell : public platform::ShellFolders
{
public:
    QString specialFolderPath(qint32) const override { return {}; }
};

} // namespace

class DataFolderTest : public QObject
{
    Q_OBJECT

private slots:
    // Fresh folders for every row.
    void init()
    {
        for (auto *dir : {&m_shellBase, &m_registryBase, &m_storeDir}) {
            *dir = std::make_unique<QTemporaryDir>();
            QVERIFY((*dir)->isValid());
        }
    }

    void specialFolderPath_data()
    {
        QTest::addColumn<qint32>("folder");
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("expected");
        QTest::newRow("common app data, named") << 35 << true << "/srv/velantis data";
        QTest::newRow("common app data, default") << 35 << false << "/var/lib";
        QTest::newRow("other folder fails") << 26 << true << "";
    }
    void specialFolderPath()
    {
        QFETCH(qint32, folder);
        QFETCH(bool, named);
        QFETCH(QString, expected);
        ScopedEnvironment env("VELANTIS_COMMON_APPDATA", "/srv/velantis data", named);
        QCOMPARE(QRVCOMPlusFilesAndFolders::specialFolderPath(folder), expected);
    }

    // In the columns, $S stands for the shell's folder and $R for the registry's.
    void dataFolder_data()
    {
        QTest::addColumn<bool>("shellFails");
        QTest::addColumn<bool>("underShell");    // Velantis/QRVCOM+ made in the shell's folder
        QTest::addColumn<bool>("underRegistry"); // ... and in the registry's folder
        QTest::addColumn<bool>("registryValue"); // "Common AppData" present
        QTest::addColumn<QString>("expected");
        QTest::newRow("shell folder holds it") << false << true << true << true << "$S/Velantis/QRVCOM+/";
        QTest::newRow("registry decides though missing too")
            << false << false << false << true << "$R/Velantis/QRVCOM+/";
        QTest::newRow("no registry value") << false << false << true << false << "/Velantis/QRVCOM+/";
        QTest::newRow("failing shell, registry") << true << true << false << true << "$R/Velantis/QRVCOM+/";
    }
    void dataFolder()
    {
        QFETCH(bool, shellFails);
        QFETCH(bool, underShell);
        QFETCH(bool, underRegistry);
        QFETCH(bool, registryValue);
        QFETCH(QString, expected);
        const QString shell = m_shellBase->path(), registry = m_registryBase->path();
        if (underShell)
            QVERIFY(QDir(shell).mkpath(QStringLiteral("Velantis/QRVCOM+")));
        if (underRegistry)
            QVERIFY(QDir(registry).mkpath(QStringLiteral("Velantis/QRVCOM+")));
        const auto environment = setUp(shell, registryValue ? registry : QString());
        FailingShell failing;
        std::unique_ptr<platform::ScopedShellFolders> scope;
        if (shellFails)
            scope = std::make_unique<platform::ScopedShellFolders>(failing);

        expected.replace(QLatin1String("$S"), shell).replace(QLatin1String("$R"), registry);
        QCOMPARE(QRVCOMPlusFilesAndFolders::dataFolder(), expected);
        QCOMPARE(QRVCOMPlusFilesAndFolders::databaseFolder(), expected + QStringLiteral("Database/"));
        QCOMPARE(QRVCOMPlusFilesAndFolders::userLogPath(), expected + QStringLiteral("User_Log.txt"));
    }

    // The registry's folder value is read as text whatever its type; one it
    // cannot convert reaches the caller of the data folder.
    void commonAppDataFolder_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text") << 1u << QByteArray("/srv/data\0", 10) << "/srv/data";
        QTest::newRow("number") << 4u << QByteArray("\x07\0\0\0", 4) << "7";
        QTest::newRow("64-bit number fails") << 11u << QByteArray(8, '\0') << "";
    }
    void commonAppDataFolder()
    {
        QFETCH(uint, type);
        QFETCH(QByteArray, stored);
        QFETCH(QString, expected);
        const QString file = writeCommonAppData(platform::StoredRegistryValue{type, stored});
        ScopedEnvironment store("VELANTIS_REGISTRY_FILE", QFile::encodeName(file));
        ScopedEnvironment shell("VELANTIS_COMMON_APPDATA", QFile::encodeName(m_shellBase->path()));
        if (expected.isEmpty())
            QCOMPARE(testing::errorNumberOf([] { QRVCOMPlusFilesAndFolders::dataFolder(); }),
                     qint32(rt::UnsupportedValueType));
        else
            QCOMPARE(QRVCOMPlusFilesAndFolders::commonAppDataFolder(), expected);
    }

private:
    // Points the shell at shellFolder and, when registryFolder is not empty,
    // the registry's "Common AppData" at it.
    std::pair<std::unique_ptr<ScopedEnvironment>, std::unique_ptr<ScopedEnvironment>>
    setUp(const QString &shellFolder, const QString &registryFolder)
    {
        const QString file = registryFolder.isEmpty()
                                 ? m_storeDir->filePath(QStringLiteral("absent.json"))
                                 : writeCommonAppData(platform::StoredRegistryValue{1, registryFolder.toUtf8() + '\0'});
        return {std::make_unique<ScopedEnvironment>("VELANTIS_COMMON_APPDATA", QFile::encodeName(shellFolder)),
                std::make_unique<ScopedEnvironment>("VELANTIS_REGISTRY_FILE", QFile::encodeName(file))};
    }

    // A store file whose "Common AppData" holds the value given.
    QString writeCommonAppData(const platform::StoredRegistryValue &value)
    {
        const QString file = m_storeDir->filePath(QStringLiteral("folders.json"));
        platform::FileRegistry::writeValue(file, platform::RootKey::LocalMachine, kShellFoldersKey,
                                           QStringLiteral("Common AppData"), value);
        return file;
    }

    std::unique_ptr<QTemporaryDir> m_shellBase;
    std::unique_ptr<QTemporaryDir> m_registryBase;
    std::unique_ptr<QTemporaryDir> m_storeDir;
};

QTEST_MAIN(DataFolderTest)
#include "tst_datafolder.moc"
