// The registry reader over a store file: each value type converted with its
// reported-length rules, a second query when a value passes the 1024-byte
// buffer, the default for a missing key, and error 1001 with the key closed.
// The data folder found through it: the shell's common application-data
// folder when it holds Velantis/QRVCOM+/, otherwise the registry's "Common
// AppData" (checked no further); the Database folder and the user log below it.
// The writes: a file that cannot be parsed is never rewritten, and a write
// replaces the file whole.
#include "RaisedErrors.h"
#include "platform/QRVCOMPlusFilesAndFolders.h"
#include "platform/FileRegistry.h"
#include "platform/Registry.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using platform::RootKey;

namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Velantis\\Test");

// The file-backed registry that the environment names, noting each call:
// "open" with the access asked, "query" with the buffer size, "close".
class RecordingRegistry : public platform::FileRegistry
{
public:
    qint32 openKey(RootKey root, const QByteArray &subKey, quint32 access, platform::RegistryKey *key) override
    {
        calls << QStringLiteral("open %1").arg(access, 0, 16);
        return FileRegistry::openKey(root, subKey, access, key);
    }
    qint32 queryValue(platform::RegistryKey key, const QByteArray &name, quint32 *type, char *data,
                      quint32 *length) override
    {
        calls << QStringLiteral("query %1").arg(*length);
        return FileRegistry::queryValue(key, name, type, data, length);
    }
    qint32 closeKey(platform::RegistryKey key) override
    {
        calls << QStringLiteral("close");
        return FileRegistry::closeKey(key);
    }

    QStringList calls;
};

} // namespace

class RegistryTest : public QObject
{
    Q_OBJECT

private slots:
    // The store holds "Value" of the given type and bytes (none for type 0)
    // under kKey; "value" is read from key, with -7 as the default.
    void read_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("key");
        QTest::addColumn<Variant>("expected");
        QTest::addColumn<QString>("calls");
        const QString once = QStringLiteral("open 20019|query 1024|close");
        QTest::newRow("text without its NUL, names in any case")
            << 1u << QByteArray("abc", 4) << kKey.toUpper() << Variant::text("abc") << once;
        QTest::newRow("multi-text keeps inner NULs")
            << 7u << QByteArray("a\0b\0\0", 5) << kKey << Variant::text(QString::fromLatin1("a\0b", 3)) << once;
        QTest::newRow("bytes, NUL included")
            << 3u << QByteArray("\0\x7f", 2) << kKey << Variant::binary(QByteArray("\0\x7f", 2)) << once;
        QTest::newRow("number, little-endian and signed")
            << 4u << QByteArray("\xfe\xff\xff\xff") << kKey << Variant::integer(-2) << once;
        QTest::newRow("text filling the buffer")
            << 1u << QByteArray(1023, 'f') + '\0' << kKey << Variant::text(QString(1023, u'f')) << once;
        QTest::newRow("one byte over: queried again") << 1u << QByteArray(1024, 'o') + '\0' << kKey
            << Variant::text(QString(1024, u'o')) << "open 20019|query 1024|query 1025|close";
        QTest::newRow("missing value keeps type 0: key closed, then error 1001")
            << 0u << QByteArray() << kKey << Variant() << once + "|error 1001";
        QTest::newRow("text without room for its NUL") << 1u << QByteArray() << kKey << Variant() << once + "|error 5";
        QTest::newRow("missing key: the default")
            << 1u << QByteArray("abc", 4) << kKey + "\\Deeper" << Variant::integer(-7) << "open 20019";
    }
    void read()
    {
        QFETCH(uint, type);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, key);
        QFETCH(Variant, expected);
        QFETCH(QString, calls);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("registry.json"));
        QVERIFY(platform::FileRegistry::writeValue(file, RootKey::LocalMachine, kKey, "Other", {1, "x"}));
        QVERIFY(!type || platform::FileRegistry::writeValue(file, RootKey::LocalMachine, kKey, "Value", {type, bytes}));
        qputenv("VELANTIS_REGISTRY_FILE", QFile::encodeName(file));
        RecordingRegistry registry;
        platform::ScopedRegistryApi scope(registry);
        Variant value;
        const int error = testing::errorNumberOf([&] {
            value = platform::registryValue(RootKey::LocalMachine, key, QStringLiteral("value"), Variant::integer(-7));
        });
        QCOMPARE(registry.calls.join(u'|') + (error ? QStringLiteral("|error %1").arg(error) : QString()), calls);
        QCOMPARE(value, expected);
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
        QVERIFY(!type || platform::FileRegistry::writeValue(file, RootKey::LocalMachine, key,
                                                            QStringLiteral("Common AppData"), {type, value}));
        qputenv("VELANTIS_COMMON_APPDATA", QFile::encodeName(shellBase.path()));
        qputenv("VELANTIS_REGISTRY_FILE", QFile::encodeName(file));
        expected.replace(QLatin1String("$S"), shellBase.path()).replace(QLatin1String("$R"), registryBase.path());
        QString folder;
        const int error = testing::errorNumberOf([&] { folder = QRVCOMPlusFilesAndFolders::dataFolder(); });
        QCOMPARE(error ? QStringLiteral("error %1").arg(error) : folder, expected);
        if (!error)
            QCOMPARE(QRVCOMPlusFilesAndFolders::databaseFolder() + u'|' + QRVCOMPlusFilesAndFolders::userLogPath(),
                     expected + "Database/|" + expected + "User_Log.txt");
    }

    // A registry file that is there but cannot be parsed is left byte for
    // byte as it was: each write fails with a warning that names the file.
    void unparsableFileKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("fault");
        const QByteArray trailingComma = "{\"HKEY_CLASSES_ROOT\\\\CLSID\\\\{0}\\\\InprocServer32\": "
                                         "{\"\": {\"type\": 1, \"text\": \"/opt/other.so\"}},}";
        for (const char *operation : {"write", "remove", "remove empty"}) {
            QTest::addRow("trailing comma, %s", operation)
                << trailingComma << operation << "cannot be parsed (object is missing after a comma at offset 94)";
            QTest::addRow("half a file, %s", operation)
                << trailingComma.left(40) << operation << "cannot be parsed (unterminated string at offset 41)";
            QTest::addRow("an array, %s", operation) << QByteArray("[1]") << operation << "holds no JSON object";
            QTest::addRow("a folder in its place, %s", operation)
                << QByteArray() << operation << "cannot be read (file to open is a directory)";
        }
    }
    void unparsableFileKept()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, operation);
        QFETCH(QString, fault);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("registry.json"));
        QFile file(path);
        if (content.isNull())
            QVERIFY(QDir().mkdir(path));
        else
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        QTest::ignoreMessage(QtWarningMsg, qPrintable("the registry file " + path + ' ' + fault
                                                      + "; it was left as it is"));
        const QString key = QStringLiteral("CLSID\\{0}");
        const bool done = operation == "write"
                              ? platform::FileRegistry::writeValue(path, RootKey::ClassesRoot, key, "", {1, "x"})
                          : operation == "remove" ? platform::FileRegistry::removeKey(path, RootKey::ClassesRoot, key)
                                                  : platform::FileRegistry::removeEmptyKey(path, RootKey::ClassesRoot,
                                                                                           key);
        QVERIFY(!done);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"registry.json"});
        if (content.isNull()) {
            QVERIFY(QDir(path).isEmpty());
        } else {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), content);
        }
    }

    // A write replaces the file by another one: a second name of the old file
    // still reads the old text whole, as a reader that opened it before does.
    // A file of blanks only holds nothing to lose, and is written.
    void writeReplacesFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("registry.json"));
        QFile blank(path);
        QVERIFY(blank.open(QIODevice::WriteOnly) && blank.write(" \n") == 2);
        blank.close();
        QVERIFY(platform::FileRegistry::writeValue(path, RootKey::LocalMachine, kKey, "First", {1, "one"}));
        const QString earlier = dir.filePath(QStringLiteral("earlier.json"));
        QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(earlier).constData()), 0);
        QVERIFY(platform::FileRegistry::writeValue(path, RootKey::LocalMachine, kKey, "Second", {1, "two"}));
        const auto read = [](const QString &name) {
            QFile file(name);
            return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                                        .value("HKEY_LOCAL_MACHINE\\" + kKey)
                                                        .toObject()
                                                        .keys()
                                                        .join(u',')
                                                  : QStringLiteral("unreadable");
        };
        QCOMPARE(read(earlier), QStringLiteral("First"));
        QCOMPARE(read(path), QStringLiteral("First,Second"));
    }
};

QTEST_MAIN(RegistryTest)
#include "tst_registry.moc"
