// Reading rowset XML: column names, positions and types, nulls, pending
// changes, namespaces, encodings, raw control characters, and located errors
// for documents that are broken or hold values that do not fit.
#include "RowsetTesting.h"
#include "TestRegistry.h"
#include "data/Rowset.h"

#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTest>
#include <QTimeZone>

using testing::columnTexts;
using testing::errorOf;
using testing::rowsetDocument;

namespace {

QString column(const QString &name, const QString &type, const QString &extra = {})
{
    return QStringLiteral("<s:AttributeType name='%1' %3><s:datatype dt:type='%2'/></s:AttributeType>")
        .arg(name, type, extra);
}

QStringList fieldNames(const RecordSet &records)
{
    QStringList names;
    for (const FieldInfo &f : records.fields())
        names << f.name;
    return names;
}

// A document with a few rows, for the truncation and corruption tests.
QString sampleDocument()
{
    return rowsetDocument(column(QStringLiteral("ID"), QStringLiteral("i2"), QStringLiteral("rs:number='1'"))
                              + column(QStringLiteral("Name"), QStringLiteral("string"),
                                       QStringLiteral("rs:number='2' rs:nullable='true'")),
                          QStringLiteral("<z:row ID='1' Name='Joe&#x27;s &amp; Co'/>\n<z:row ID='2' Name=''/>\n"
                                         "<z:row ID='3'/>"));
}

} // namespace

class RowsetReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void valuesByType_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Variant>("expected");
        const QDate day(2024, 2, 29);
        QTest::newRow("i1") << "i1" << "-128" << Variant::integer(-128);
        QTest::newRow("i2") << "i2" << "32767" << Variant::integer(32767);
        QTest::newRow("i4") << "i4" << "-2147483648" << Variant::integer(-2147483648LL);
        QTest::newRow("int") << "int" << "+42" << Variant::integer(42);
        QTest::newRow("i8") << "i8" << "9223372036854775807" << Variant::integer(9223372036854775807LL);
        QTest::newRow("ui1") << "ui1" << "255" << Variant::integer(255);
        QTest::newRow("ui2") << "ui2" << "65535" << Variant::integer(65535);
        QTest::newRow("ui4") << "ui4" << "4294967295" << Variant::integer(4294967295LL);
        QTest::newRow("ui8") << "ui8" << "18" << Variant::integer(18);
        QTest::newRow("r4") << "r4" << "1.5" << Variant::floating(1.5);
        QTest::newRow("r8 exponent") << "r8" << "-2.25E3" << Variant::floating(-2250);
        QTest::newRow("float") << "float" << "0.1" << Variant::floating(0.1);
        QTest::newRow("number") << "number" << "12.50" << Variant::floating(12.5);
        QTest::newRow("boolean True") << "boolean" << "True" << Variant::boolean(true);
        QTest::newRow("boolean False") << "boolean" << "False" << Variant::boolean(false);
        QTest::newRow("boolean 1") << "boolean" << "1" << Variant::boolean(true);
        QTest::newRow("boolean 0") << "boolean" << "0" << Variant::boolean(false);
        QTest::newRow("dateTime") << "dateTime" << "2024-02-29T13:45:07"
                                  << Variant::date(QDateTime(day, QTime(13, 45, 7)));
        QTest::newRow("dateTime fraction") << "dateTime" << "2024-02-29T13:45:07.250"
                                           << Variant::date(QDateTime(day, QTime(13, 45, 7, 250)));
        QTest::newRow("dateTime UTC") << "dateTime" << "2024-02-29T13:45:07Z"
                                      << Variant::date(QDateTime(day, QTime(13, 45, 7), Qt::UTC));
        QTest::newRow("dateTime offset") << "dateTime" << "2024-02-29T13:45:07+02:00"
                                         << Variant::date(QDateTime(day, QTime(11, 45, 7), Qt::UTC));
        QTest::newRow("date") << "date" << "2024-02-29" << Variant::date(QDateTime(day, QTime(0, 0)));
        QTest::newRow("time") << "time" << "13:45:07"
                              << Variant::date(QDateTime(QDate(1899, 12, 30), QTime(13, 45, 7)));
        QTest::newRow("uuid") << "uuid" << "{6F9619FF-8B86-D011-B42D-00C04FC964FF}"
                              << Variant::text("{6F9619FF-8B86-D011-B42D-00C04FC964FF}");
        QTest::newRow("string") << "string" << "caf\u00e9 &#x26; cr\u00e8me" << Variant::text("caf\u00e9 & cr\u00e8me");
        QTest::newRow("unknown type") << "xyz" << "12" << Variant::text("12");
        QTest::newRow("bin.hex over lines") << "bin.hex" << "0aFF 10&#xD;&#xA;\t20"
                                            << Variant::binary(QByteArray::fromHex("0aff1020"));
        QTest::newRow("bin.hex empty") << "bin.hex" << "" << Variant::binary({});
    }
    void valuesByType()
    {
        QFETCH(QString, type);
        QFETCH(QString, text);
        QFETCH(Variant, expected);
        const RecordSet records =
            rowset::read(rowsetDocument(column(QStringLiteral("V"), type), QStringLiteral("<z:row V='%1'/>").arg(text)));
        QCOMPARE(records.RecordCount(), 1);
        QCOMPARE(records.fields().at(0).dataType, type);
        QCOMPARE(records.Fields(0).type(), expected.type());
        QCOMPARE(records.Fields(0), expected);
    }

    void typeOnTheAttributeTypeItself()
    {
        const RecordSet records = rowset::read(rowsetDocument(
            QStringLiteral("<s:AttributeType name='N' dt:type='i4' dt:maxLength='4'/>"
                           "<s:AttributeType name='T'/>"),
            QStringLiteral("<z:row N='7' T='7'/>")));
        QCOMPARE(records.fields().at(0).maxLength, 4);
        QCOMPARE(records.Fields(0), Variant::integer(7));
        QCOMPARE(records.fields().at(1).dataType, QString());
        QCOMPARE(records.Fields(1), Variant::text(QStringLiteral("7")));
    }

    void nullVersusEmpty()
    {
        const RecordSet records = rowset::read(sampleDocument());
        QCOMPARE(columnTexts(records, 1), QStringList({"Joe's & Co", "", "<null>"}));
        QCOMPARE(records.rows().at(1).at(1).type(), Variant::Type::Text);
        QVERIFY(records.rows().at(2).at(1).isNull());
    }

    void forceNull()
    {
        const RecordSet records = rowset::read(rowsetDocument(
            column(QStringLiteral("A"), QStringLiteral("string")) + column(QStringLiteral("B"), QStringLiteral("i4")),
            QStringLiteral("<z:row A='x' B='1' rs:forcenull='A  B'/><z:row A='y' B='2' rs:forcenull='B'/>")));
        QCOMPARE(columnTexts(records, 0), QStringList({"<null>", "y"}));
        QCOMPARE(columnTexts(records, 1), QStringList({"<null>", "<null>"}));
    }

    void columnsOrderedByNumberWithGaps()
    {
        const RecordSet records = rowset::read(rowsetDocument(
            column(QStringLiteral("Third"), QStringLiteral("string"), QStringLiteral("rs:number='10'"))
                + column(QStringLiteral("First"), QStringLiteral("i2"), QStringLiteral("rs:number='2'"))
                + column(QStringLiteral("Second"), QStringLiteral("i4"), QStringLiteral("rs:number='5'")),
            QStringLiteral("<z:row Third='c' First='1' Second='2'/>")));
        QCOMPARE(fieldNames(records), QStringList({"First", "Second", "Third"}));
        QCOMPARE(records.Fields(0), Variant::integer(1));
        QCOMPARE(records.Fields(2), Variant::text(QStringLiteral("c")));
        QCOMPARE(records.Fields(QStringLiteral("second")), Variant::integer(2));
    }

    void realNamesFromRsName()
    {
        const RecordSet records = rowset::read(rowsetDocument(
            column(QStringLiteral("c0"), QStringLiteral("number"), QStringLiteral("rs:name='Unit Price'"))
                + column(QStringLiteral("c1"), QStringLiteral("string"), QStringLiteral("rs:name='Name'"))
                + column(QStringLiteral("c2"), QStringLiteral("string"), QStringLiteral("rs:name='Name'")),
            QStringLiteral("<z:row c0='12.50' c1='a' c2='b'/>")));
        QCOMPARE(fieldNames(records), QStringList({"Unit Price", "Name", "Name"}));
        QCOMPARE(records.Fields(QStringLiteral("Unit Price")), Variant::floating(12.5));
        QCOMPARE(records.Fields(2), Variant::text(QStringLiteral("b")));
    }

    void hiddenColumnsAreLeftOut()
    {
        const RecordSet records = rowset::read(rowsetDocument(
            column(QStringLiteral("Key"), QStringLiteral("i4"), QStringLiteral("rs:number='1' rs:hidden='true'"))
                + column(QStringLiteral("Name"), QStringLiteral("string"), QStringLiteral("rs:number='2'")),
            QStringLiteral("<z:row Key='xyz' Name='a' Extra='ignored'/>")));
        QCOMPARE(fieldNames(records), QStringList({"Name"}));
        QCOMPARE(records.Fields(0), Variant::text(QStringLiteral("a")));
    }

    void attributesInAnyOrder_data()
    {
        QTest::addColumn<int>("columns");
        QTest::newRow("short schema") << 5;
        QTest::newRow("long schema") << 40;
    }
    void attributesInAnyOrder()
    {
        QFETCH(int, columns);
        QString schema;
        QString forward;
        QString backward;
        for (int c = 0; c < columns; ++c) {
            schema += column(QStringLiteral("C%1").arg(c), QStringLiteral("i4"));
            forward += QStringLiteral(" C%1='%1'").arg(c);
            backward.prepend(QStringLiteral(" C%1='%1'").arg(c));
        }
        const RecordSet records = rowset::read(rowsetDocument(
            schema, QStringLiteral("<z:row%1/><z:row%2/><z:row C3='3' C1='1' Unknown='x'/>").arg(forward, backward)));
        QCOMPARE(records.RecordCount(), 3);
        for (int c = 0; c < columns; ++c) {
            QCOMPARE(records.rows().at(0).at(c), Variant::integer(c));
            QCOMPARE(records.rows().at(1).at(c), Variant::integer(c));
        }
        QCOMPARE(columnTexts(records, 1).last(), QStringLiteral("1"));
        QCOMPARE(columnTexts(records, 3).last(), QStringLiteral("3"));
        QCOMPARE(columnTexts(records, 2).last(), QStringLiteral("<null>"));
    }

    void nullability_data()
    {
        QTest::addColumn<QString>("attributes");
        QTest::addColumn<QString>("datatypeAttributes");
        QTest::addColumn<bool>("nullable");
        QTest::newRow("nothing said") << "" << "" << true;
        QTest::newRow("nullable") << "rs:nullable='true'" << "" << true;
        QTest::newRow("maybenull false on datatype") << "" << "rs:maybenull='false'" << false;
        QTest::newRow("maybenull true") << "rs:maybenull='true'" << "" << true;
        QTest::newRow("nullable false") << "rs:nullable='false'" << "" << false;
    }
    void nullability()
    {
        QFETCH(QString, attributes);
        QFETCH(QString, datatypeAttributes);
        QFETCH(bool, nullable);
        const RecordSet records = rowset::read(rowsetDocument(
            QStringLiteral("<s:AttributeType name='A' %1><s:datatype dt:type='i2' %2/></s:AttributeType>")
                .arg(attributes, datatypeAttributes),
            QString()));
        QCOMPARE(records.fields().at(0).nullable, nullable);
        QCOMPARE(records.fields().at(0).dataType, QStringLiteral("i2"));
    }

    void emptyAnswerIsAtEofAtOnce()
    {
        const RecordSet records = rowset::read(rowsetDocument(column(QStringLiteral("ID"), QStringLiteral("i2")),
                                                              QStringLiteral("<!-- none -->")));
        QVERIFY(records.isEOF());
        QCOMPARE(records.RecordCount(), 0);
        QCOMPARE(fieldNames(records), QStringList({"ID"}));
    }

    void pendingChanges()
    {
        const RecordSet records = rowset::read(rowsetDocument(
            column(QStringLiteral("ID"), QStringLiteral("i2")) + column(QStringLiteral("Name"), QStringLiteral("string"))
                + column(QStringLiteral("Note"), QStringLiteral("string")),
            QStringLiteral("<z:row ID='1' Name='kept'/>\n"
                           "<rs:insert><z:row ID='5' Name='inserted'/></rs:insert>\n"
                           "<rs:update><rs:original><z:row ID='2' Name='old' Note='n'/></rs:original>"
                           "<z:row Name='new'/></rs:update>\n"
                           "<rs:update><rs:original><z:row ID='3' Name='x' Note='n'/></rs:original>"
                           "<z:row rs:forcenull='Note'/></rs:update>\n"
                           "<rs:delete><z:row ID='4' Name='deleted'/></rs:delete>\n"
                           "<z:row ID='6' Name='last'/>")));
        QCOMPARE(columnTexts(records, 0), QStringList({"1", "5", "2", "3", "6"}));
        QCOMPARE(columnTexts(records, 1), QStringList({"kept", "inserted", "new", "x", "last"}));
        QCOMPARE(columnTexts(records, 2), QStringList({"<null>", "<null>", "n", "<null>", "<null>"}));
    }

    void namespacesMatchedByUriNotPrefix()
    {
        const QString text = QStringLiteral(
            "<?xml version='1.0' encoding='utf-8'?>\n"
            "<root xmlns:a='uuid:bdc6e3f0-6da3-11d1-a2a3-00aa00c14882' xmlns:b='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'"
            " xmlns:rs='urn:other' xmlns:c='urn:schemas-microsoft-com:rowset'>"
            "<a:Schema id='S'><a:ElementType name='item'>"
            "<a:AttributeType name='ID' c:number='2'><a:datatype b:type='i2'/></a:AttributeType>"
            "<AttributeType xmlns='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882' name='N' c:number='1'/>"
            "<rs:AttributeType name='NotAColumn'/>"
            "</a:ElementType></a:Schema>"
            "<c:data xmlns:d='#S'><d:item ID='4' N='x'/><item ID='9'/><rs:item ID='8'/>"
            "<e:item xmlns:e='#S' ID='5' N='y'/><d:item xmlns:d='urn:elsewhere' ID='not a row'/></c:data></root>");
        const RecordSet records = rowset::read(text);
        QCOMPARE(fieldNames(records), QStringList({"N", "ID"}));
        QCOMPARE(columnTexts(records, 1), QStringList({"4", "5"}));
        QCOMPARE(records.Fields(1).type(), Variant::Type::Integer);
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = sampleDocument();
        QStringEncoder le(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        QStringEncoder be(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
        QStringEncoder leBare(QStringEncoder::Utf16LE);
        QTest::newRow("UTF-8") << text.toUtf8();
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        QTest::newRow("UTF-16LE with BOM") << QByteArray(le.encode(text));
        QTest::newRow("UTF-16BE with BOM") << QByteArray(be.encode(text));
        QTest::newRow("UTF-16LE without BOM") << QByteArray(leBare.encode(text));
    }
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        const RecordSet records = rowset::readBytes(bytes);
        QCOMPARE(columnTexts(records, 1), QStringList({"Joe's & Co", "", "<null>"}));
    }

    void nonAsciiText()
    {
        const QString name = QStringLiteral("Zo\u00eb \u00e0 Gen\u00e8ve \u20ac \U0001F600");
        QStringEncoder le(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        const QString text = rowsetDocument(column(QStringLiteral("N"), QStringLiteral("string")),
                                            QStringLiteral("<z:row N='%1'/>").arg(name));
        QCOMPARE(rowset::read(text).Fields(0).toText(), name);
        QCOMPARE(rowset::readBytes(QByteArray(le.encode(text))).Fields(0).toText(), name);
    }

    void rawControlCharactersKept()
    {
        const QString value = QStringLiteral("a\tb\r\nc\rd\ne  \x01 f");
        const RecordSet records = rowset::read(rowsetDocument(column(QStringLiteral("N"), QStringLiteral("string")),
                                                              QStringLiteral("<z:row N='%1'/>").arg(value)));
        QCOMPARE(records.Fields(0).toText(), value);
    }

    void malformed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("where");
        const QString good = sampleDocument();
        QTest::newRow("empty") << QString() << "line 1, column 1";
        QTest::newRow("not XML") << "hello" << "line 1, column";
        QTest::newRow("unclosed quote") << QString(good).replace("ID='2'", "ID='2") << "line 12";
        QTest::newRow("mismatched end tag") << QString(good).replace("</rs:data>", "</rs:dta>") << "line 14";
        QTest::newRow("stray <") << QString(good).replace("<z:row ID='3'/>", "<<z:row ID='3'/>") << "line 13";
        QTest::newRow("cut inside a row") << good.left(good.indexOf("ID='2'") + 4) << "line 12";
        QTest::newRow("cut inside the schema") << good.left(good.indexOf("<s:datatype") + 5) << "line 6";
        QTest::newRow("cut before </xml>") << good.left(good.indexOf("</xml>")) << "line 15";
        QTest::newRow("no schema") << QString(good).replace("s:Schema", "s:Scheme") << "line 1, column 1";
        QTest::newRow("schema in another namespace")
            << QString(good).replace("xmlns:s='uuid:BDC6E3F0", "xmlns:s='uuid:00000000") << "line 1, column 1";
        QTest::newRow("no data") << QString(good).replace("rs:data", "rs:info") << "line 1, column 1";
        QTest::newRow("no row type") << QString(good).replace("s:ElementType", "s:Other") << "line 4, column 1";
        QTest::newRow("column without a name") << QString(good).replace("name='ID'", "id='ID'") << "line 6, column 1";
        QTest::newRow("column declared twice") << QString(good).replace("name='Name'", "name='ID'") << "line 6";
        QTest::newRow("ordinal not a number") << QString(good).replace("rs:number='2'", "rs:number='two'")
                                              << "line 6";
        QTest::newRow("nested record set")
            << QString(good).replace("<s:extends", "<s:ElementType name='child'/><s:extends") << "line 7";
        QTest::newRow("NUL character") << QString(good).replace("Name=''", QString::fromUtf8("Name='\0'", 8))
                                       << "line 12";
    }
    void malformed()
    {
        QFETCH(QString, text);
        QFETCH(QString, where);
        const auto error = errorOf([&] { rowset::read(text); });
        QVERIFY(error);
        QVERIFY2(error->description().contains(where), qPrintable(error->description()));
        QCOMPARE(error->source(), QStringLiteral("VEL_PART_SET"));
    }

    void everyTruncationIsAnError()
    {
        const QString good = sampleDocument();
        const qsizetype end = good.lastIndexOf(QStringLiteral("</xml>")) + 5;
        for (qsizetype length = 0; length < end; ++length) {
            const auto error = errorOf([&] { rowset::read(good.left(length)); });
            QVERIFY2(error, qPrintable(QStringLiteral("length %1 was read").arg(length)));
            QVERIFY2(error->description().contains(QStringLiteral("line ")), qPrintable(error->description()));
        }
    }

    void truncatedUtf16()
    {
        QStringEncoder le(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        const QByteArray bytes = le.encode(sampleDocument());
        const auto error = errorOf([&] { rowset::readBytes(bytes.left(bytes.size() - 1)); });
        QVERIFY(error);
        QVERIFY2(error->description().contains(QStringLiteral("odd number of bytes")), qPrintable(error->description()));
    }

    // Random corruption: every outcome is a record set or a run-time error.
    void corruptedBytesNeverCrash()
    {
        const QByteArray good = sampleDocument().toUtf8();
        const char pieces[] = "<>'\"&;:=/ \t\r\n\0\x01\xC3\xFF#x";
        QRandomGenerator random(20240229);
        int errors = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = good;
            for (int n = random.bounded(1, 4); n > 0; --n) {
                const int at = random.bounded(int(bytes.size()));
                if (random.bounded(3) == 0)
                    bytes.remove(at, random.bounded(1, 20));
                else
                    bytes[at] = pieces[random.bounded(int(sizeof pieces - 1))];
            }
            try {
                rowset::readBytes(bytes);
            } catch (const rt::RuntimeError &) {
                ++errors;
            }
        }
        QVERIFY(errors > 0);
    }

    void valueThatDoesNotFit_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("letters in i2") << "i2" << "abc" << 13;
        QTest::newRow("70000 in i2") << "i2" << "70000" << 6;
        QTest::newRow("128 in i1") << "i1" << "128" << 6;
        QTest::newRow("negative in ui1") << "ui1" << "-1" << 6;
        QTest::newRow("beyond 64 bits") << "ui8" << "18446744073709551615" << 6;
        QTest::newRow("empty i4") << "i4" << "" << 13;
        QTest::newRow("fraction in i4") << "i4" << "1.5" << 13;
        QTest::newRow("letters in r8") << "r8" << "x1" << 13;
        QTest::newRow("huge r8") << "r8" << "1e999" << 6;
        QTest::newRow("boolean yes") << "boolean" << "yes" << 13;
        QTest::newRow("30 February") << "dateTime" << "2024-02-30T00:00:00" << 13;
        QTest::newRow("hour 25") << "dateTime" << "2024-02-01T25:00:00" << 13;
        QTest::newRow("date with junk") << "date" << "2024-02-01x" << 13;
        QTest::newRow("odd hex digits") << "bin.hex" << "abc" << 13;
        QTest::newRow("not hex") << "bin.hex" << "zz" << 13;
    }
    void valueThatDoesNotFit()
    {
        QFETCH(QString, type);
        QFETCH(QString, text);
        QFETCH(int, number);
        const QString document = rowsetDocument(column(QStringLiteral("Amount"), type),
                                                QStringLiteral("<z:row/>\n<z:row Amount='%1'/>").arg(text));
        const auto error = errorOf([&] { rowset::read(document); });
        QVERIFY(error);
        QCOMPARE(error->number(), number);
        const QString description = error->description();
        for (const QString &part : {QStringLiteral("\"Amount\""), QStringLiteral("row 2"), QStringLiteral("line 12"),
                                    QStringLiteral("\"%1\"").arg(text), type})
            QVERIFY2(description.contains(part), qPrintable(description));
    }
};

REGISTER_TEST(RowsetReaderTest)
#include "tst_rowsetreader.moc"
