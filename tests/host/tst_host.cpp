// The partition-settings executable end to end: exit status and printed error,
// the user log it leaves, the screenshot mode and the no-display message.
#include "StoreHooks.h"

#include "server/ReferenceStore.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

class HostTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString dataFolder() const { return m_dir.path() + QStringLiteral("/Velantis/QRVCOM+/"); }

    Run run(const QStringList &arguments, bool display = true)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VELANTIS_COMMON_APPDATA"), m_dir.path());
        environment.insert(QStringLiteral("VELANTIS_REGISTRY_FILE"), m_dir.path() + QStringLiteral("/registry.json"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        if (display)
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        else
            environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(PARTITION_SETTINGS_EXE), arguments);
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    QString userLog() const
    {
        QFile file(dataFolder() + QStringLiteral("User_Log.txt"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void languageRange_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("overflow");
        QTest::newRow("326 overflows") << "326" << true;
        QTest::newRow("325 passes the check") << "325" << false;
    }
    void languageRange()
    {
        QFETCH(QString, language);
        QFETCH(bool, overflow);
        const Run result = run({"--config", "1", "--partition", "1", "--language", language, "--silent"});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.out.contains(QStringLiteral("ErrCode: 6\n")), overflow);
        QVERIFY(result.out.startsWith(QStringLiteral("ErrLocation: ")));
        QVERIFY(result.out.contains(QStringLiteral("\nErrDescription: ")));
    }

    void repeatedNodeTypeIsRecordedAndLogged()
    {
        const QString storePath = m_dir.path() + QStringLiteral("/repeated.sqlite");
        {
            const auto store = server::ReferenceStore::openSqlite(storePath);
            testing::addRepeatedNodeType(*store, {5, QStringLiteral("Again"), QStringLiteral("Encore")});
        }
        QDir().mkpath(dataFolder());
        const Run result = run({"--store", storePath});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.out, QStringLiteral("ErrLocation: [VEL_PART_SET][Business_Rules]Obtain_All_Node_Type_Name\n"
                                            "ErrCode: 457\n"
                                            "ErrDescription: This key is already associated with an element of this "
                                            "collection\n"));
        QVERIFY2(result.err.contains(QStringLiteral("Code:          457")), qPrintable(result.err));
        const QString log = userLog();
        QCOMPARE(log.count(QStringLiteral("\r\n")), 1);
        QVERIFY(log.startsWith(QStringLiteral("Internal Error\t")));
        QVERIFY(log.endsWith(QStringLiteral("\t457\tThis key is already associated with an element of this "
                                            "collection\t[VEL_PART_SET][Business_Rules]Obtain_All_Node_Type_Name\r\n")));
    }

    void sampleStoreFolder_data()
    {
        QTest::addColumn<QString>("registryFolder");
        QTest::newRow("the shell's, without a registry value") << QString();
        QTest::newRow("the registry's, when the shell's is missing") << QStringLiteral("/shared");
    }
    // The host creates the data folder where the component finds it, and the
    // sample store in its Database folder.
    void sampleStoreFolder()
    {
        QFETCH(QString, registryFolder);
        if (!registryFolder.isEmpty()) {
            QFile registry(m_dir.path() + QStringLiteral("/registry.json"));
            QVERIFY(registry.open(QIODevice::WriteOnly));
            registry.write(QStringLiteral(R"({"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion)"
                                          R"(\\Explorer\\Shell Folders": {"Common AppData": {"type": 1, "text": "%1"}}})")
                               .arg(m_dir.path() + registryFolder)
                               .toUtf8());
        }
        const Run result = run({"--config", "1", "--partition", "1", "--silent"});
        QCOMPARE(result.exitCode, 0);
        const QString store = QStringLiteral("/Velantis/QRVCOM+/Database/SampleStore.sqlite");
        QVERIFY(QFile::exists(m_dir.path() + registryFolder + store));
        QCOMPARE(QDir(dataFolder()).exists(), registryFolder.isEmpty());
    }

    void screenshotOfTheDialog_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<int>("heightTwips");
        QTest::newRow("full dialog") << QStringList() << 5820;
        QTest::newRow("without the Defaults button") << QStringList{"--no-partition-button"} << 5675;
    }
    void screenshotOfTheDialog()
    {
        QFETCH(QStringList, extra);
        QFETCH(int, heightTwips);
        const QString file = m_dir.path() + QStringLiteral("/shot.png");
        const Run result = run(QStringList{"--config", "1", "--partition", "1", "--screenshot", file} + extra, false);
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.isEmpty());
        const QImage image(file);
        QVERIFY(!image.isNull());
        QCOMPARE(image.width(), qRound(8295 / 15.0));
        QCOMPARE(image.height(), qRound(heightTwips / 15.0));
    }

    void noDisplaySaysSoInOneLine()
    {
        const Run result = run({"--config", "1"}, false);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.err.count(QLatin1Char('\n')), 1);
        QVERIFY(result.err.contains(QStringLiteral("--screenshot")));
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("number out of range") << QStringList{"--config", "40000"};
        QTest::newRow("not a number") << QStringList{"--partition", "two"};
        QTest::newRow("missing value") << QStringList{"--store"};
        QTest::newRow("unknown option") << QStringList{"--colour"};
        QTest::newRow("store that cannot be opened") << QStringList{"--store", "/proc/no/such/store.sqlite"};
    }
    void badArguments()
    {
        QFETCH(QStringList, arguments);
        const Run result = run(arguments);
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.contains(QStringLiteral("partition-settings: ")), qPrintable(result.err));
        QVERIFY(result.out.isEmpty());
    }
};

} // namespace

QTEST_MAIN(HostTest)
#include "tst_host.moc"
