// The registry reader: conversion of each value type with its reported-length
// rules, the second query when a value passes the 1024-byte buffer, the
// default for a missing key, and error 1001 with the key closed.
#include "ScopedEnvironment.h"
#include "RaisedErrors.h"
#include "core/RuntimeError.h"
#include "platform/FileRegistry.h"
#include "platform/Registry.h"
#include "platform/RegistryValueConversion.h"

#include <QTemporaryDir>
#include <QTest>

using platform::RootKey;
using platform::StoredRegistryValue;

namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Velantis\\Test");

QByteArray bytes(const char *text, int size) { return QByteArray(text, size); }

// The file-backed registry, counting key openings and closings and noting
// the buffer size of every query.
class RecordingRegistry : public platform::RegistryApi
{
public:
    explicit RecordingRegistry(const QString &file) : m_store(file) {}

    qint32 openKey(RootKey root, const QByteArray &subKey, quint32 access,
                   platform::RegistryKey *key) override
    {
        accesses.append(access);
        const qint32 answer = m_store.openKey(root, subKey, access, key);
        opened += answer == platform::RegistryAnswer::Success ? 1 : 0;
        return answer;
    }
    qint32 queryValue(platform::RegistryKey key, const QByteArray &name, quint32 *type, char *data,
                      quint32 *length) override
    {
        bufferSizes.append(*length);
        return m_store.queryValue(key, name, type, data, length);
    }
    qint32 closeKey(platform::RegistryKey key) override
    {
        ++closed;
        return m_store.closeKey(key);
    }

    QList<quint32> accesses;
    QList<quint32> bufferSizes;
    int opened = 0;
    int closed = 0;

private:
    platform::FileRegistry m_store;
};

} // namespace

class RegistryTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void conversion_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<uint>("reported");
        QTest::addColumn<Variant>("expected");
        const auto text = [](const char *t) { return Variant::text(QString::fromUtf8(t)); };
        QTest::newRow("text without its NUL") << 1u << bytes("C:\\Data\0", 8) << 8u << text("C:\\Data");
        QTest::newRow("text of length n is n-1 bytes") << 1u << bytes("abcdef", 6) << 4u << text("abc");
        QTest::newRow("expandable text not expanded")
            << 2u << bytes("%SystemRoot%\\x\0", 15) << 15u << text("%SystemRoot%\\x");
        QTest::newRow("expandable text of length n is n-1 bytes") << 2u << bytes("abcdef", 6) << 3u << text("ab");
        QTest::newRow("multi-text keeps inner NULs")
            << 7u << bytes("one\0two\0\0", 9) << 9u << Variant::text(QString::fromUtf8("one\0two", 7));
        QTest::newRow("multi-text of length n is n-2 bytes") << 7u << bytes("abcdef", 6) << 5u << text("abc");
        QTest::newRow("empty multi-text") << 7u << bytes("\0\0", 2) << 2u << text("");
        QTest::newRow("bytes of the reported length, zeros kept")
            << 3u << bytes("\0\0\x7f\x04\x05", 5) << 3u << Variant::binary(bytes("\0\0\x7f", 3));
        QTest::newRow("no bytes") << 3u << QByteArray(8, 'x') << 0u << Variant::binary(QByteArray());
        QTest::newRow("number little-endian")
            << 4u << bytes("\x78\x56\x34\x12", 4) << 4u << Variant::integer(0x12345678);
        QTest::newRow("number smallest Long")
            << 4u << bytes("\0\0\0\x80", 4) << 4u << Variant::integer(-2147483647 - 1);
    }
    void conversion()
    {
        QFETCH(uint, type);
        QFETCH(QByteArray, data);
        QFETCH(uint, reported);
        QFETCH(Variant, expected);
        const Variant value = platform::convertRegistryValue(type, data, reported);
        QCOMPARE(value.type(), expected.type());
        QCOMPARE(value, expected);
    }

    void conversionErrors_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<uint>("reported");
        QTest::addColumn<int>("error");
        QTest::newRow("no type") << 0u << bytes("ab", 2) << 2u << int(rt::UnsupportedValueType);
        QTest::newRow("big-endian number") << 5u << bytes("\0\0\0\1", 4) << 4u << int(rt::UnsupportedValueType);
        QTest::newRow("64-bit number") << 11u << QByteArray(8, '\1') << 8u << int(rt::UnsupportedValueType);
        QTest::newRow("text with no room for its NUL") << 1u << QByteArray() << 0u << int(rt::InvalidProcedureCall);
        QTest::newRow("multi-text shorter than its NULs") << 7u << bytes("\0", 1) << 1u << int(rt::InvalidProcedureCall);
    }
    void conversionErrors()
    {
        QFETCH(uint, type);
        QFETCH(QByteArray, data);
        QFETCH(uint, reported);
        QFETCH(int, error);
        const rt::RuntimeError e = testing::raisedBy([&] { platform::convertRegistryValue(type, data, reported); });
        QCOMPARE(e.number(), error);
        QCOMPARE(e.source(), QStringLiteral("VEL_PART_SET"));
        if (error == rt::UnsupportedValueType)
            QCOMPARE(e.description(), QStringLiteral("Unsupported value type"));
    }

    // Values read through the store: one query for what fits in 1024 bytes,
    // a second one into the reported length for what does not; error 1001
    // leaves the reader after the key was closed.
    void readThroughBuffer_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Variant>("expected");
        QTest::addColumn<QList<quint32>>("bufferSizes");
        QTest::addColumn<int>("error");
        const QByteArray fits = QByteArray(1023, 'f');
        const QByteArray over = QByteArray(1024, 'o');
        const QByteArray multi = QByteArray(1500, 'a') + '\0' + QByteArray(1500, 'b') + '\0' + '\0';
        const QByteArray raw = QByteArray(5000, '\x5a');
        QTest::newRow("text filling the buffer")
            << 1u << fits + '\0' << "Value" << Variant::text(QString::fromLatin1(fits)) << QList<quint32>{1024} << 0;
        QTest::newRow("text one byte over") << 1u << over + '\0' << "Value" << Variant::text(QString::fromLatin1(over))
                                            << QList<quint32>{1024, 1025} << 0;
        QTest::newRow("long multi-text")
            << 7u << multi << "Value" << Variant::text(QString::fromLatin1(multi.left(multi.size() - 2)))
            << QList<quint32>{1024, quint32(multi.size())} << 0;
        QTest::newRow("long bytes") << 3u << raw << "Value" << Variant::binary(raw) << QList<quint32>{1024, 5000} << 0;
        QTest::newRow("64-bit number") << 11u << QByteArray(8, '\1') << "Value" << Variant() << QList<quint32>{1024}
                                       << int(rt::UnsupportedValueType);
        QTest::newRow("missing value keeps type 0") << 1u << QByteArray(8, '\1') << "Absent" << Variant()
                                                    << QList<quint32>{1024} << int(rt::UnsupportedValueType);
    }
    void readThroughBuffer()
    {
        QFETCH(uint, type);
        QFETCH(QByteArray, stored);
        QFETCH(QString, name);
        QFETCH(Variant, expected);
        QFETCH(QList<quint32>, bufferSizes);
        QFETCH(int, error);
        const QString file = m_dir.filePath(QStringLiteral("registry.json"));
        QVERIFY(platform::FileRegistry::writeValue(file, RootKey::LocalMachine, kKey, QStringLiteral("Value"),
                                                   StoredRegistryValue{type, stored}));
        RecordingRegistry registry(file);
        platform::ScopedRegistryApi scope(registry);
        Variant value;
        QCOMPARE(testing::errorNumberOf([&] { value = platform::registryValue(RootKey::LocalMachine, kKey, name); }),
                 error);
        QCOMPARE(value, expected);
        QCOMPARE(registry.bufferSizes, bufferSizes);
        QCOMPARE(registry.accesses, QList<quint32>{0x20019});
        QCOMPARE(registry.opened, 1);
        QCOMPARE(registry.closed, 1);
    }

    // The configured store file is the one read, and a key it lacks gives the default.
    void storeFromEnvironment_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("key");
        QTest::addColumn<Variant>("expected");
        QTest::newRow("value present") << "HKLM" << kKey << Variant::text(QStringLiteral("stored"));
        QTest::newRow("key path in other case")
            << "HKLM" << kKey.toUpper() << Variant::text(QStringLiteral("stored"));
        QTest::newRow("key missing") << "HKLM" << kKey + QStringLiteral("\\Deeper") << Variant::integer(-7);
        QTest::newRow("other root") << "HKCU" << kKey << Variant::integer(-7);
    }
    void storeFromEnvironment()
    {
        QFETCH(QString, root);
        QFETCH(QString, key);
        QFETCH(Variant, expected);
        const QString file = m_dir.filePath(QStringLiteral("store.json"));
        QVERIFY(platform::FileRegistry::writeValue(file, RootKey::LocalMachine, kKey, QStringLiteral("Name"),
                                                   StoredRegistryValue{1, bytes("stored\0", 7)}));
        ScopedEnvironment env("VELANTIS_REGISTRY_FILE", QFile::encodeName(file));
        const RootKey rootKey = root == QLatin1String("HKLM") ? RootKey::LocalMachine : RootKey::CurrentUser;
        QCOMPARE(platform::registryValue(rootKey, key, QStringLiteral("Name"), Variant::integer(-7)), expected);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(RegistryTest)
#include "tst_registry.moc"
