// Reading rowset XML: column names, positions and types, nulls, pending
// changes, namespaces, encodings, raw control characters, and located errors
// for documents that are broken or hold values that do not fit.
#include "RowsetTesting.h"
#include "data/Rowset.h"

#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTest>
#include <QTimeZone>

using testing::columnTexts;
using testing::errorOf;
using testing::raisedBy;
using testing::rowsetDocument;

namespace {

QString column(const char *name, const QString &type, const char *extra = "")
{
    return QStringLiteral("<s:AttributeType name='%1' %3><s:datatype dt:type='%2'/></s:AttributeType>")
        .arg(QLatin1String(name), type, QLatin1String(extra));
}

QStringList fieldNames(const RecordSet &records)
{
    QStringList names;
    for (const FieldInfo &f : records.fields())
        names << f.name;
    return names;
}

// A value as "kind:text", so that a table can say which type was read.
QString describe(const Variant &value)
{
    static const char *const kinds[] = {"null", "t", "i", "f", "b", "d", "x"};
    return QLatin1String(kinds[int(value.type())]) + u':' + value.toText();
}

// A document with a few rows, for the null, encoding and truncation tests.
const QStringList SampleNames = {QStringLiteral("Joe's & Zo\u00eb \u20ac \U0001F600"), "", "<null>"};

QString sampleDocument()
{
    return rowsetDocument(column("ID", "i2", "rs:number='1'") + column("Name", "string", "rs:number='2' rs:nullable='true'"),
                          QStringLiteral("<z:row ID='1' Name='Joe&#x27;s &amp; Zo\u00eb \u20ac \U0001F600'/>\n"
                                         "<z:row ID='2' Name=''/>\n<z:row ID='3'/>"));
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
        QTest::newRow("i4") << "i4" << "-2147483648" << Variant::integer(-2147483648LL);
        QTest::newRow("int") << "int" << "+42" << Variant::integer(42);
        QTest::newRow("i8") << "i8" << "9223372036854775807" << Variant::integer(9223372036854775807LL);
        QTest::newRow("ui4") << "ui4" << "4294967295" << Variant::integer(4294967295LL);
        QTest::newRow("r8 exponent") << "r8" << "-2.25E3" << Variant::floating(-2250);
        QTest::newRow("number") << "number" << "12.50" << Variant::floating(12.5);
        QTest::newRow("boolean True") << "boolean" << "True" << Variant::boolean(true);
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
        QTest::newRow("string") << "string" << "caf\u00e9 &#x26; cr\u00e8me" << Variant::text("caf\u00e9 & cr\u00e8me");
        QTest::newRow("string non-ASCII") << "string" << "Gen\u00e8ve \u20ac \U0001F600"
                                          << Variant::text("Gen\u00e8ve \u20ac \U0001F600");
        QTest::newRow("string raw controls kept") << "string" << "a\tb\r\nc\rd\ne  \x01 f"
                                                  << Variant::text("a\tb\r\nc\rd\ne  \x01 f");
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
        const RecordSet records = rowset::read(rowsetDocument(column("V", type), QStringLiteral("<z:row V='%1'/>").arg(text)));
        QCOMPARE(records.RecordCount(), 1);
        QCOMPARE(records.fields().at(0).dataType, type);
        QCOMPARE(records.Fields(0).type(), expected.type());
        QCOMPARE(records.Fields(0), expected);
    }

    // Columns come in rs:number order (gaps allowed), under their rs:name,
    // with their type from the datatype or the AttributeType itself; hidden
    // ones are left out. Values as describe() gives them.
    void schema_data()
    {
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QStringList>("fields"); // name:type
        QTest::addColumn<QStringList>("values");
        QTest::newRow("type on the AttributeType")
            << "<s:AttributeType name='N' dt:type='i4'/><s:AttributeType name='T'/>" << "N='7' T='7'"
            << QStringList{"N:i4", "T:"} << QStringList{"i:7", "t:7"};
        QTest::newRow("rs:number with gaps")
            << column("Third", "string", "rs:number='10'") + column("First", "i2", "rs:number='2'")
                   + column("Second", "i4", "rs:number='5'")
            << "Third='c' First='1' Second='2'" << QStringList{"First:i2", "Second:i4", "Third:string"}
            << QStringList{"i:1", "i:2", "t:c"};
        QTest::newRow("rs:name renames, repeats allowed")
            << column("c0", "number", "rs:name='Unit Price'") + column("c1", "string", "rs:name='Name'")
                   + column("c2", "string", "rs:name='Name'")
            << "c0='12.50' c1='a' c2='b'" << QStringList{"Unit Price:number", "Name:string", "Name:string"}
            << QStringList{"f:12.5", "t:a", "t:b"};
        QTest::newRow("hidden column left out")
            << column("Key", "i4", "rs:number='1' rs:hidden='true'") + column("Name", "string", "rs:number='2'")
            << "Key='xyz' Name='a' Extra='ignored'" << QStringList{"Name:string"} << QStringList{"t:a"};
    }
    void schema()
    {
        QFETCH(QString, columns);
        QFETCH(QString, row);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, values);
        const RecordSet records = rowset::read(rowsetDocument(columns, QStringLiteral("<z:row %1/>").arg(row)));
        QStringList read, texts;
        for (int i = 0; i < records.fields().size(); ++i) {
            read << records.fields().at(i).name + u':' + records.fields().at(i).dataType;
            texts << describe(records.Fields(i));
        }
        QCOMPARE(read, fields);
        QCOMPARE(texts, values);
        QCOMPARE(records.Fields(fields.first().section(u':', 0, 0).toLower()), records.Fields(0)); // names ignore case
    }

    // An absent attribute is a null, an empty one an empty text; rs:forcenull
    // names the columns that are null whatever the row says.
    void nullVersusEmpty()
    {
        const RecordSet records = rowset::read(sampleDocument());
        QCOMPARE(columnTexts(records, 1), SampleNames);
        QCOMPARE(records.rows().at(1).at(1).type(), Variant::Type::Text);
        const RecordSet forced = rowset::read(rowsetDocument(
            column("A", "string") + column("B", "i4"),
            QStringLiteral("<z:row A='x' B='1' rs:forcenull='A  B'/><z:row A='y' B='2' rs:forcenull='B'/>")));
        QCOMPARE(columnTexts(forced, 0), QStringList({"<null>", "y"}));
        QCOMPARE(columnTexts(forced, 1), QStringList({"<null>", "<null>"}));
    }

    void attributesInAnyOrder()
    {
        const int columns = 40;
        QString schema;
        QString forward;
        QString backward;
        for (int c = 0; c < columns; ++c) {
            schema += column(qPrintable(QStringLiteral("C%1").arg(c)), "i4");
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
        const RecordSet records = rowset::read(rowsetDocument(column("ID", "i2"), QStringLiteral("<!-- none -->")));
        QVERIFY(records.isEOF());
        QCOMPARE(records.RecordCount(), 0);
        QCOMPARE(fieldNames(records), QStringList({"ID"}));
    }

    void pendingChanges()
    {
        const RecordSet records = rowset::read(rowsetDocument(
            column("ID", "i2") + column("Name", "string") + column("Note", "string"),
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
        QCOMPARE(columnTexts(records, 1), SampleNames);
    }

    void malformed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("where");
        const QString good = sampleDocument();
        QTest::newRow("empty") << QString() << "line 1, column 1";
        QTest::newRow("unclosed quote") << QString(good).replace("ID='2'", "ID='2") << "line 12";
        QTest::newRow("mismatched end tag") << QString(good).replace("</rs:data>", "</rs:dta>") << "line 14";
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
        const rt::RuntimeError error = raisedBy([&] { rowset::read(text); });
        QVERIFY2(error.description().contains(where), qPrintable(error.description()));
        QCOMPARE(error.source(), QStringLiteral("VEL_PART_SET"));
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
        const QString description = raisedBy([&] { rowset::readBytes(bytes.left(bytes.size() - 1)); }).description();
        QVERIFY2(description.contains(QStringLiteral("odd number of bytes")), qPrintable(description));
    }

    // Random corruption: every outcome is a record set or a run-time error.
    void corruptedBytesNeverCrash()
    {
        const QByteArray good = sampleDocument().toUtf8();
        const char pieces[] = "<>'\"&;:=/ \t\r\n\0\x01\xC3\xFF#x";
        QRandomGenerator random(20240229);
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = good;
            for (int n = random.bounded(1, 4); n > 0; --n) {
                const int at = random.bounded(int(bytes.size()));
                if (random.bounded(3) == 0)
                    bytes.remove(at, random.bounded(1, 20));
                else
                    bytes[at] = pieces[random.bounded(int(sizeof pieces - 1))];
            }
            testing::errorOf([&] { rowset::readBytes(bytes); });
        }
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
        QTest::newRow("huge r8") << "r8" << "1e999" << 6;
        QTest::newRow("boolean yes") << "boolean" << "yes" << 13;
        QTest::newRow("30 February") << "dateTime" << "2024-02-30T00:00:00" << 13;
        QTest::newRow("date with junk") << "date" << "2024-02-01x" << 13;
        QTest::newRow("odd hex digits") << "bin.hex" << "abc" << 13;
    }
    void valueThatDoesNotFit()
    {
        QFETCH(QString, type);
        QFETCH(QString, text);
        QFETCH(int, number);
        const QString document = rowsetDocument(column("Amount", type),
                                                QStringLiteral("<z:row/>\n<z:row Amount='%1'/>").arg(text));
        const rt::RuntimeError error = raisedBy([&] { rowset::read(document); });
        QCOMPARE(error.number(), number);
        const QString description = error.description();
        for (const QString &part : {QStringLiteral("\"Amount\""), QStringLiteral("row 2"), QStringLiteral("line 12"),
                                    QStringLiteral("\"%1\"").arg(text), type})
            QVERIFY2(description.contains(part), qPrintable(description));
    }
};

QTEST_MAIN(RowsetReaderTest)
#include "tst_rowsetreader.moc"
