// The data folder: the shell's common application-data folder when it holds
// Velantis/QRVCOM+/, otherwise the registry's "Common AppData" (checked no
// further); the Database folder and the user log below it.
#include "ScopedEnvironment.h"
#include "RaisedErrors.h"
#include "data/QRVCOMPlusFilesAndFolders.h"
#include "platform/FileRegistry.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class DataFolderTest : public QObject
{
    Q_OBJECT

private slots:
    void shellFolder()
    {
        ScopedEnvironment named("VELANTIS_COMMON_APPDATA", "/srv/data");
        QCOMPARE(QRVCOMPlusFilesAndFolders::specialFolderPath(35), QStringLiteral("/srv/data"));
        QCOMPARE(QRVCOMPlusFilesAndFolders::specialFolderPath(26), QString());
        ScopedEnvironment unnamed("VELANTIS_COMMON_APPDATA", "");
        QCOMPARE(QRVCOMPlusFilesAndFolders::specialFolderPath(35), QStringLiteral("/var/lib"));
    }

    // $S stands for the shell's folder, $R for the registry's.
    void dataFolder_data()
    {
        QTest::addColumn<bool>("shellHolds"); // Velantis/QRVCOM+ made in the shell's folder
        QTest::addColumn<uint>("type");     // of "Common AppData"; 0 when there is none
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("expected");
        const QByteArray registry("$R\0", 3);
        QTest::newRow("the shell's folder") << true << 1u << registry << "$S/Velantis/QRVCOM+/";
        QTest::newRow("the registry's, unchecked") << false << 1u << registry << "$R/Velantis/QRVCOM+/";
        QTest::newRow("no registry value") << false << 0u << QByteArray() << "/Velantis/QRVCOM+/";
        QTest::newRow("a registry number as text") << false << 4u << QByteArray("\7\0\0", 4) << "7/Velantis/QRVCOM+/";
        QTest::newRow("a registry value of no known type") << false << 11u << QByteArray(8, '\0') << "error 1001";
    }
    void dataFolder()
    {
        QFETCH(bool, shellHolds);
        QFETCH(uint, type);
        QFETCH(QByteArray, value);
        QFETCH(QString, expected);
        QTemporaryDir shellBase, registryBase, store;
        if (shellHolds)
            QVERIFY(QDir(shellBase.path()).mkpath(QStringLiteral("Velantis/QRVCOM+")));
        const QString file = store.filePath(QStringLiteral("registry.json"));
        const QString key = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
        value.replace("$R", QFile::encodeName(registryBase.path()));
        QVERIFY(!type || platform::FileRegistry::writeValue(file, platform::RootKey::LocalMachine, key,
                                                            QStringLiteral("Common AppData"), {type, value}));
        ScopedEnvironment shellFolder("VELANTIS_COMMON_APPDATA", QFile::encodeName(shellBase.path()));
        ScopedEnvironment registryFile("VELANTIS_REGISTRY_FILE", QFile::encodeName(file));
        expected.replace(QLatin1String("$S"), shellBase.path()).replace(QLatin1String("$R"), registryBase.path());
        QString folder;
        const int error = testing::errorNumberOf([&] { folder = QRVCOMPlusFilesAndFolders::dataFolder(); });
        QCOMPARE(error ? QStringLiteral("error %1").arg(error) : folder, expected);
        if (!error) {
            QCOMPARE(QRVCOMPlusFilesAndFolders::databaseFolder(), expected + QStringLiteral("Database/"));
            QCOMPARE(QRVCOMPlusFilesAndFolders::userLogPath(), expected + QStringLiteral("User_Log.txt"));
        }
    }
};

QTEST_MAIN(DataFolderTest)
#include "tst_datafolder.moc"
