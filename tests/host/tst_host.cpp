// The partition-settings host: its options, and the executable end to end
// (exit status, the printed ErrorInfo and boxes, the screenshot mode, the
// data folder the sample store goes into), loading the component it finds
// through the registry.
#include "HostOptions.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <unistd.h>
#include <QTest>

class HostTest : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;

    // Runs the host with the blank-separated arguments, in an environment of
    // its own (an empty platform name: no display) whose data folder,
    // registry, temporary folder ("tmp") and runtime folder are in the test's folder
    // (a null runtime folder: none set), as the user named (else as this
    // process's): "<exit status>|<stdout>|<first line of stderr>", or the
    // whole of stderr.
    QString run(const QString &arguments, bool display = true, std::optional<QString> runtime = {},
                bool wholeStderr = false, const QString &user = QString())
    {
        QProcess process;
        QStringList environment{"QT_QPA_PLATFORM=" + QString(display ? "offscreen" : ""),
                                "VELANTIS_COMMON_APPDATA=" + m_dir->path(), "TMPDIR=" + m_dir->filePath("tmp"),
                                "VELANTIS_REGISTRY_FILE=" + m_dir->filePath("registry.json")};
        const QString runtimeFolder = runtime.value_or(m_dir->path());
        if (!runtimeFolder.isNull())
            environment << "XDG_RUNTIME_DIR=" + runtimeFolder;
        process.setEnvironment(environment);
        const QStringList words = arguments.split(u' ', Qt::SkipEmptyParts);
        if (user.isEmpty())
            process.start(PARTITION_SETTINGS_EXE, words);
        else
            process.start("runuser", QStringList{"-u", user, "--", PARTITION_SETTINGS_EXE} + words);
        process.waitForFinished(60000);
        const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
        return QString::number(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1) + u'|'
               + QString::fromLocal8Bit(process.readAllStandardOutput()) + u'|'
               + (wholeStderr ? errors : errors.section(u'\n', 0, 0));
    }

private slots:
    // The host finds the component through the registry of the test's folder.
    void init()
    {
        QVERIFY(m_dir.emplace().isValid());
        QCOMPARE(run("--register", false), QStringLiteral("0||"));
    }

    // The options as "config,partition,menu option,language,silent,Defaults
    // button,store,screenshot,help", or the usage error.
    void options_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *arguments, const char *expected) {
            QTest::newRow(name) << QString(arguments) << QString(expected);
        };
        row("defaults", "", "1,1,,1,0,1,,,0");
        row("each option",
            "--screenshot f --language 3 --partition -2 --menu-option r --silent --no-partition-button --config 7 "
            "--store s",
            "7,-2,r,3,1,0,s,f,0");
        row("values that look like options", "--menu-option --help --store -h --screenshot --silent",
            "1,1,--help,1,0,1,-h,--silent,0");
        row("help ends the options", "--silent -h --colour", "1,1,,1,1,1,,,1");
        row("beyond 16 bits", "--config 32768", "--config needs a whole number from -32768 to 32767");
        row("missing value", "--silent --store", "--store needs a value");
        row("unknown option", "--colour", "unknown option --colour");
    }
    void options()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, expected);
        QString message;
        const auto o = parseHostOptions(arguments.split(u' ', Qt::SkipEmptyParts), message);
        QCOMPARE(o ? QString::asprintf("%d,%d,%ls,%d,%d,%d,%ls,%ls,%d", o->configId, o->partitionId,
                                       qUtf16Printable(o->menuOption), o->languageId, o->silent, o->partitionButton,
                                       qUtf16Printable(o->storePath), qUtf16Printable(o->screenshot), o->help)
                   : message,
                 expected);
    }

    // "$F" stands for a file in the test's folder; a screenshot written there
    // has the dialog's size in pixels.
    void exitStatus_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<bool>("display");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *arguments, bool display, const char *expected) {
            QTest::newRow(name) << QString(arguments) << display << QString(expected);
        };
        row("screenshot without a display", "--no-partition-button --screenshot $F", false, "0||");
        row("screenshot not written", "--screenshot /proc/no/shot.png", false,
            "2||partition-settings: cannot write the screenshot /proc/no/shot.png: No such file or directory");
        row("error recorded", "--language 326", true,
            "1|ErrLocation: [VEL_PART_SET][Business_Rules]Shown\nErrCode: 6\nErrDescription: Overflow\n|"
            "[Internal Error]");
        row("usage error", "--colour", true, "2||partition-settings: unknown option --colour");
        row("store not opened", "--store /proc/no/store.sqlite", true,
            "2||partition-settings: cannot open the database \"/proc/no/store.sqlite\" (QSQLITE): unable to open "
            "database file Error opening database");
        row("no display", "", false,
            "2||partition-settings: no display to show the dialog on; use --screenshot FILE to render it offscreen "
            "to a PNG.");
    }
    void exitStatus()
    {
        QFETCH(QString, arguments);
        QFETCH(bool, display);
        QFETCH(QString, expected);
        const QString file = m_dir->filePath("shot.png");
        QCOMPARE(run(QString(arguments).replace("$F", file), display), expected);
        QCOMPARE(QImage(file).size(), arguments.contains("$F") ? QSize(553, 353) : QSize(0, 0));
    }

    // The sample store goes into the data folder's Database folder: the
    // shell's (which the host creates) without a registry value; the
    // registry's when it names one and the shell's is missing. A registry
    // without the component's registration gives the host nothing to load.
    void sampleStoreFolder()
    {
        QCOMPARE(run("--silent"), QStringLiteral("0||"));
        QVERIFY(QFile::exists(m_dir->path() + "/Velantis/QRVCOM+/Database/SampleStore.sqlite"));
        QVERIFY(m_dir.emplace().isValid());
        QFile registry(m_dir->filePath("registry.json"));
        QVERIFY(registry.open(QIODevice::WriteOnly));
        registry.write("{\"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\"
                       "Explorer\\\\Shell Folders\": {\"Common AppData\": {\"type\": 1, \"text\": \""
                       + QFile::encodeName(m_dir->path()) + "/shared\"}}}");
        registry.close();
        QCOMPARE(run("--silent"), QStringLiteral("2||partition-settings: VEL_PART_SET.Busyness_Rules is not "
                                                 "registered (partition-settings --register registers it)"));
        QCOMPARE(run("--register", false), QStringLiteral("0||"));
        QCOMPARE(run("--silent"), QStringLiteral("0||"));
        QVERIFY(QFile::exists(m_dir->path() + "/shared/Velantis/QRVCOM+/Database/SampleStore.sqlite"));
        QVERIFY(!QDir(m_dir->filePath("Velantis")).exists());
    }

    // The sample store in the common data folder is every user's: another
    // user (nobody) opens it read-only and prints its history, in WAL mode,
    // after root made it; a store only root may write refuses nobody's copy.
    void sharedStoreForOtherUsers()
    {
        if (geteuid() != 0 || QStandardPaths::findExecutable("runuser").isEmpty())
            QSKIP("needs root and runuser");
        const QFile::Permissions open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                        | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(m_dir->path(), open) && QDir(m_dir->path()).mkdir("tmp")
                && QFile::setPermissions(m_dir->filePath("tmp"), open | QFile::WriteOther));
        QCOMPARE(run("--silent", true, QString()), QStringLiteral("0||"));
        const QString shot = m_dir->path() + "/Velantis/QRVCOM+/nobody.png";
        QCOMPARE(run("--menu-option r --screenshot " + shot, true, QString(), false, "nobody"), QStringLiteral("0||"));
        QVERIFY(QFileInfo(shot).size() > 0);
        QCOMPARE(run("--history", true, QString(), false, "nobody"),
                 QStringLiteral("0|No changes recorded.\n|"));
        // A store that only root may write: nobody's copy is refused before any work.
        const QString own = m_dir->path() + "/Velantis/QRVCOM+/own.sqlite";
        QVERIFY(QFile::copy(m_dir->path() + "/Velantis/QRVCOM+/Database/SampleStore.sqlite", own)
                && QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        QCOMPARE(run("--store " + own + " --copy-settings 0 --to 1", true, QString(), false, "nobody"),
                 "2||partition-settings: the store \"" + own + "\" is open read-only for this user; nothing was written");
    }

    // The file commands as a user types them, with their exit statuses: an
    // export, a refused file, an access mode and a store that may not be
    // written refusing an import, a dry run, and a copy that --history shows.
    void fileCommands()
    {
        const QString file = m_dir->filePath("partitions.json");
        QCOMPARE(run("--export " + file + " --config 2"), QStringLiteral("0||"));
        QFile json(file);
        QVERIFY(json.open(QIODevice::ReadWrite));
        QByteArray changed = json.readAll(); // partition 0's time limit (the first) from 0 to 65
        changed.replace(changed.indexOf("\"TimeLimit\": 0,"), 15, "\"TimeLimit\": 65,");
        json.resize(0);
        json.write(changed);
        json.close();
        QCOMPARE(run("--import " + file + " --menu-option r"),
                 QStringLiteral("1||partition-settings: --menu-option r gives no right to write; --import and "
                                "--copy-settings need full access"));
        QCOMPARE(run("--import " + file + " --dry-run"), QStringLiteral("0|partition 0: TimeLimit: 0 → 65\n|"));
        QCOMPARE(run("--import " + file), QStringLiteral("0|partition 0: TimeLimit: 0 → 65\n|"));
        QCOMPARE(run("--import " + file), QStringLiteral("0|nothing to change\n|"));
        const QString refusedFile = run("--import " + m_dir->filePath("registry.json"), true, {}, true);
        QVERIFY2(refusedFile.startsWith("1||") && refusedFile.contains("partition-settings: /configuration: missing field\n"),
                 qPrintable(refusedFile));
        QCOMPARE(run("--copy-settings 0 --to 1 --fields TimeLimit --config 2"),
                 QStringLiteral("0|partition 1: TimeLimit: 0 → 65\n|"));
        QVERIFY(run("--history --config 2").contains("TimeLimit (copied from partition 0)"));
        QVERIFY(run("--history --config 2").contains("TimeLimit (imported)"));
        QCOMPARE(run("--export - --to 3"), QStringLiteral("2||partition-settings: --copy-settings and --to go together"));
    }

    // A registry file that cannot be parsed (another class's server and the
    // data folder's value, with one comma too many) survives --register and
    // --unregister unchanged; both fail with SELFREG_E_CLASS and say why.
    void registrationKeepsUnparsableRegistry()
    {
        const QByteArray content =
            "{\n  \"HKEY_CLASSES_ROOT\\\\CLSID\\\\{00000000-1111-2222-3333-444444444444}\\\\InprocServer32\": "
            "{\"\": {\"type\": 1, \"text\": \"/opt/other/libother.so\"}},\n"
            "  \"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell "
            "Folders\": {\"Common AppData\": {\"type\": 1, \"text\": \"/srv/shared\"}},\n}\n";
        QFile registry(m_dir->filePath("registry.json"));
        QVERIFY(registry.open(QIODevice::WriteOnly) && registry.write(content) == content.size());
        registry.close();
        const QString refused = "1||the registry file " + registry.fileName()
                                + " cannot be parsed (object is missing after a comma at offset 293); it was left as "
                                  "it is";
        QCOMPARE(run("--register", false), refused);
        QCOMPARE(run("--unregister", false), refused);
        QVERIFY(registry.open(QIODevice::ReadOnly));
        QCOMPARE(registry.readAll(), content);
    }

    // Without XDG_RUNTIME_DIR the host writes only its own lines (none here)
    // and takes a private runtime folder, gone from the temporary folder when
    // it ends. A runtime folder that is set is used as it is, and Qt's
    // warnings about it still show.
    void runtimeFolder_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<bool>("display");
        QTest::addColumn<QString>("runtime"); // "-": not set
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("leftInTmp");
        QTest::newRow("screenshot, none set") << "--screenshot $F" << false << "-" << "0||" << "";
        QTest::newRow("offscreen, none set") << "--silent" << true << "-" << "0||" << "";
        QTest::newRow("set empty") << "--silent" << true << "" << "0||" << "";
        QTest::newRow("register, none set") << "--register" << false << "-" << "0||" << "";
        QTest::newRow("one open to others")
            << "--silent" << true << "$D"
            << "0||QStandardPaths: wrong permissions on runtime directory $D, 0755 instead of 0700\n"
            << "runtime-root";
    }
    void runtimeFolder()
    {
        QFETCH(QString, arguments);
        QFETCH(bool, display);
        QFETCH(QString, runtime);
        QFETCH(QString, expected);
        QFETCH(QString, leftInTmp);
        const QString open = m_dir->filePath("open");
        QVERIFY(QDir().mkpath(open) && QDir().mkpath(m_dir->filePath("tmp")));
        QVERIFY(QFile::setPermissions(open, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                                | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        const std::optional<QString> folder = runtime == "-" ? QString() : QString(runtime).replace("$D", open);
        QCOMPARE(run(QString(arguments).replace("$F", m_dir->filePath("shot.png")), display, folder, true),
                 expected.replace("$D", open));
        QCOMPARE(QDir(m_dir->filePath("tmp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                     .join(u','),
                 leftInTmp);
    }
};

QTEST_MAIN(HostTest)
#include "tst_host.moc"
