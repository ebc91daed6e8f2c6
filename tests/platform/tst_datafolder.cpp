// The data folder: the shell's common application-data folder when it holds
// Velantis/QRVCOM+/, otherwise the registry's "Common AppData" (checked no
// further); the Database folder and the user log below it.
#include "ScopedEnvironment.h"
#include "TestRegistry.h"
#include "TestSupport.h"
#include "data/QRVCOMPlusFilesAndFolders.h"
#include "platform/FileRegistry.h"
#include "platform/ShellFolders.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace {

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
    void shellFolder()
    {
        ScopedEnvironment named("VELANTIS_COMMON_APPDATA", "/srv/data");
        QCOMPARE(QRVCOMPlusFilesAndFolders::specialFolderPath(35) + u'|' + QRVCOMPlusFilesAndFolders::specialFolderPath(26),
                 QStringLiteral("/srv/data|"));
        ScopedEnvironment unnamed("VELANTIS_COMMON_APPDATA", "");
        QCOMPARE(QRVCOMPlusFilesAndFolders::specialFolderPath(35), QStringLiteral("/var/lib"));
    }

    // $S stands for the shell's folder, $R for the registry's.
    void dataFolder_data()
    {
        QTest::addColumn<QString>("shell"); // "holds it", "empty" or "failing"
        QTest::addColumn<uint>("type");     // of "Common AppData"; 0 when there is none
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("expected");
        const QByteArray registry("$R\0", 3);
        QTest::newRow("the shell's folder") << "holds it" << 1u << registry << "$S/Velantis/QRVCOM+/";
        QTest::newRow("the registry's, unchecked") << "empty" << 1u << registry << "$R/Velantis/QRVCOM+/";
        QTest::newRow("the registry's when the shell fails") << "failing" << 1u << registry << "$R/Velantis/QRVCOM+/";
        QTest::newRow("no registry value") << "empty" << 0u << QByteArray() << "/Velantis/QRVCOM+/";
        QTest::newRow("a registry number as text") << "empty" << 4u << QByteArray("\7\0\0", 4) << "7/Velantis/QRVCOM+/";
        QTest::newRow("a registry value of no known type") << "empty" << 11u << QByteArray(8, '\0') << "error 1001";
    }
    void dataFolder()
    {
        QFETCH(QString, shell);
        QFETCH(uint, type);
        QFETCH(QByteArray, value);
        QFETCH(QString, expected);
        QTemporaryDir shellBase, registryBase, store;
        if (shell != QLatin1String("empty"))
            QVERIFY(QDir(shellBase.path()).mkpath(QStringLiteral("Velantis/QRVCOM+")));
        const QString file = store.filePath(QStringLiteral("registry.json"));
        const QString key = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
        value.replace("$R", QFile::encodeName(registryBase.path()));
        QVERIFY(!type || platform::FileRegistry::writeValue(file, platform::RootKey::LocalMachine, key,
                                                            QStringLiteral("Common AppData"), {type, value}));
        ScopedEnvironment shellFolder("VELANTIS_COMMON_APPDATA", QFile::encodeName(shellBase.path()));
        ScopedEnvironment registryFile("VELANTIS_REGISTRY_FILE", QFile::encodeName(file));
        FailingShell failing;
        std::optional<platform::ScopedShellFolders> failingShell;
        if (shell == QLatin1String("failing"))
            failingShell.emplace(failing);
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

REGISTER_TEST(DataFolderTest)
#include "tst_datafolder.moc"
