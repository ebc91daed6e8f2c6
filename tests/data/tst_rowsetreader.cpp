// Reading rowset XML: values by column type, the schema's columns, nulls and
// pending changes, namespaces matched by their URI, encodings, and located
// errors for documents that are broken or hold values that do not fit.
#include "RowsetTesting.h"
#include "TestRegistry.h"
#include "TestSupport.h"
#include "data/Rowset.h"

#include <QStringEncoder>
#include <QTest>

using testing::column;
using testing::fieldsText;
using testing::readOutcome;
using testing::rowsetDocument;

namespace {

// Two rows, the first with a name beyond ASCII, for the encodings and the broken documents.
const QString kSample = rowsetDocument(column("ID", "i2", "rs:number='1'") + column("Name", "string", "rs:number='2'"),
                                       QStringLiteral("<z:row ID='1' Name='Zo\u00eb &#x26; \u20ac\U0001F600'/>\n"
                                                      "<z:row ID='2'/>"));

} // namespace

class RowsetReaderTest : public QObject
{
    Q_OBJECT

private slots:
    // Each text is read in a document of its own, as a value of the type at
    // the same place in types (or of the only type given).
    void values_data()
    {
        QTest::addColumn<QString>("types");
        QTest::addColumn<QString>("texts");
        QTest::addColumn<QString>("outcomes");
        const QString integers = QStringLiteral("i1|i2|i4|int|i8|ui1|ui2|ui4|ui8");
        QTest::newRow("integers: largest") << integers
            << "127|32767|2147483647|2147483647|9223372036854775807|255|65535|4294967295|9223372036854775807"
            << "i:127|i:32767|i:2147483647|i:2147483647|i:9223372036854775807|i:255|i:65535|i:4294967295|"
               "i:9223372036854775807";
        QTest::newRow("integers: one above") << integers
            << "128|32768|2147483648|2147483648|9223372036854775808|256|65536|4294967296|18446744073709551615"
            << "error 6|error 6|error 6|error 6|error 6|error 6|error 6|error 6|error 6";
        QTest::newRow("integers: smallest") << integers
            << "-128|-32768|-2147483648|-2147483648|-9223372036854775808|0|0|0|0"
            << "i:-128|i:-32768|i:-2147483648|i:-2147483648|i:-9223372036854775808|i:0|i:0|i:0|i:0";
        QTest::newRow("integers: one below") << integers
            << "-129|-32769|-2147483649|-2147483649|-9223372036854775809|-1|-1|-1|-1"
            << "error 6|error 6|error 6|error 6|error 6|error 6|error 6|error 6|error 6";
        QTest::newRow("integer forms") << "i2" << " -7 |+42|abc|1.5|" << "i:-7|i:42|error 13|error 13|error 13";
        QTest::newRow("floating") << "r4|float|number|fixed.14.4|r8|r8|r8|r8" << "1.5|-2.25E3| +.5 |12.50|1e999|x|nan|"
                                  << "f:1.5|f:-2250|f:0.5|f:12.5|error 6|error 13|error 13|error 13";
        QTest::newRow("boolean") << "boolean" << "True|tRUE|1|-1| false |0|yes"
                                 << "b:True|b:True|b:True|b:True|b:False|b:False|error 13";
        QTest::newRow("dateTime") << "dateTime"
            << "2024-02-29T13:45:07|2024-02-29 13:45:07.25|2024-02-29T13:45:07Z|2024-02-29T13:45:07-0230|"
               "2024-02-30T00:00:00|2024-02-29T13:45|2024-02-29T13:45:07+15:00|2024-02-29T13:45:07."
            << "d:2024-02-29T13:45:07.000|d:2024-02-29T13:45:07.250|d:2024-02-29T13:45:07.000Z|"
               "d:2024-02-29T13:45:07.000-02:30|error 13|error 13|error 13|error 13";
        QTest::newRow("date and time") << "date|date|time|time.tz|dateTime.tz"
            << "2024-02-29|2024-02-01x|13:45:07|01:02:03Z|2024-02-29T01:02:03+02:00"
            << "d:2024-02-29T00:00:00.000|error 13|d:1899-12-30T13:45:07.000|d:1899-12-30T01:02:03.000Z|"
               "d:2024-02-29T01:02:03.000+02:00";
        QTest::newRow("binary") << "bin.hex|bin.hex|bin.hex|bin.hex|bin.base64|bin.base64"
                                << "0aFF 10&#xD;&#xA;\t20||abc|0g|AP8Q IA==|!!"
                                << "x:0AFF1020|x:|error 13|error 13|x:00FF1020|error 13";
        QTest::newRow("text") << "string|string|string|uuid|xyz"
                              << "caf\u00e9 &#x26; cr\u00e8me|a\tb\r\nc||{6F9619FF-8B86-D011}|12"
                              << "t:caf\u00e9 & cr\u00e8me|t:a\tb\r\nc|t:|t:{6F9619FF-8B86-D011}|t:12";
    }
    void values()
    {
        QFETCH(QString, types);
        QFETCH(QString, texts);
        QFETCH(QString, outcomes);
        const QStringList typeList = types.split(u'|'), textList = texts.split(u'|');
        QStringList read;
        for (qsizetype i = 0; i < textList.size(); ++i)
            read << readOutcome(rowsetDocument(column("V", typeList.value(i, typeList.value(0))),
                                               QStringLiteral("<z:row V='%1'/>").arg(textList.at(i))));
        QCOMPARE(read.join(u'|'), outcomes);
    }

    // Columns come in rs:number order under their rs:name, hidden ones left out.
    void schema_data()
    {
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("values");
        QTest::newRow("type on the AttributeType, or none")
            << "<s:AttributeType name='N' dt:type='i4'/><s:AttributeType name='T'/>" << "N='7' T='7'" << "N:i4? T:?"
            << "i:7,t:7";
        QTest::newRow("ordinals with gaps, hidden column, unknown attribute")
            << column("Third", "string", "rs:number='10'") + column("First", "i2", "rs:number='2'")
                   + column("Hidden", "i4", "rs:number='1' rs:hidden='True'") + column("Second", "i4", "rs:number='5'")
            << "Third='c' First='1' Second='2' Hidden='x' Extra='x'" << "First:i2? Second:i4? Third:string?"
            << "i:1,i:2,t:c";
        QTest::newRow("rs:name renames, repeats allowed")
            << column("c0", "number", "rs:name='Unit Price'") + column("c1", "string", "rs:name='Name'")
                   + column("c2", "string", "rs:name='Name'")
            << "c0='12.50' c1='a' c2='b'" << "Unit Price:number? Name:string? Name:string?" << "f:12.5,t:a,t:b";
        QTest::newRow("nullability and length")
            << column("A", "i2", "rs:nullable='false'")
                   + "<s:AttributeType name='B'><s:datatype dt:type='string' dt:maxLength='30' rs:maybenull='false'/>"
                     "</s:AttributeType>"
                   + column("C", "i2", "rs:nullable='false' rs:maybenull='1'")
                   + column("D", "string", "dt:maxLength='x'") + column("E", "string", "dt:maxLength='-5'")
            << "" << "A:i2 B:string(30) C:i2? D:string? E:string?" << "null,null,null,null,null";
    }
    void schema()
    {
        QFETCH(QString, columns);
        QFETCH(QString, row);
        QFETCH(QString, fields);
        QFETCH(QString, values);
        const QString document = rowsetDocument(columns, QStringLiteral("<z:row %1/>").arg(row));
        QCOMPARE(readOutcome(document), values);
        QCOMPARE(fieldsText(rowset::read(document)), fields);
    }

    // Rows of a document whose columns are ID (i2), Name and Note.
    void rows_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("expected");
        QTest::newRow("absent is null, empty is empty text") << "<z:row ID='1' Name=''/>" << "i:1,t:,null";
        QTest::newRow("forcenull") << "<z:row ID='1' Name='x' Note='n' rs:forcenull=' ID\tNote  '/>" << "null,t:x,null";
        QTest::newRow("attributes in any order, repeated texts")
            << "<z:row Note='ab' Other='?' ID='2'/><z:row Name='b' ID='3' Note='cd'/><z:row Note='ab'/>"
            << "i:2,null,t:ab|i:3,t:b,t:cd|null,null,t:ab";
        QTest::newRow("insert seen, delete not")
            << "<rs:insert><z:row ID='5'/></rs:insert><rs:delete><z:row ID='4'/></rs:delete>" << "i:5,null,null";
        QTest::newRow("update over its original")
            << "<rs:update><rs:original><z:row ID='2' Name='old' Note='n'/></rs:original>"
               "<z:row Name='new' rs:forcenull='Note'/></rs:update>"
            << "i:2,t:new,null";
        QTest::newRow("originals without an update stand")
            << "<rs:update><rs:original><z:row ID='1'/></rs:original><rs:original><z:row ID='2'/></rs:original>"
               "<z:row Name='n'/><rs:original><z:row ID='3'/></rs:original></rs:update>"
            << "i:1,null,null|i:2,t:n,null|i:3,null,null";
        QTest::newRow("no rows") << "<!-- none -->" << "";
    }
    void rows()
    {
        QFETCH(QString, rows);
        QFETCH(QString, expected);
        const QString columns = column("ID", "i2") + column("Name", "string") + column("Note", "string");
        QCOMPARE(readOutcome(rowsetDocument(columns, rows)), expected);
    }

    // Beyond 16 columns, attributes are found through an index.
    void manyColumnsInAnyOrder()
    {
        QString columns, attributes;
        QStringList expected;
        for (int c = 0; c < 20; ++c) {
            columns += column(QStringLiteral("C%1").arg(c), "i4");
            attributes.prepend(QStringLiteral(" C%1='%1'").arg(c));
            expected << QStringLiteral("i:%1").arg(c);
        }
        QCOMPARE(readOutcome(rowsetDocument(columns, "<z:row" + attributes + " X='?'/>")), expected.join(u','));
    }

    void namespacesMatchedByUri()
    {
        const QString text = QStringLiteral(
            "<root xmlns:a='uuid:bdc6e3f0-6da3-11d1-a2a3-00aa00c14882' xmlns:b='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'"
            " xmlns:rs='urn:other' xmlns:c='urn:schemas-microsoft-com:rowset'>"
            "<a:Schema id='S'><a:ElementType name='item'>"
            "<a:AttributeType name='ID' c:number='2'><a:datatype b:type='i2'/></a:AttributeType>"
            "<AttributeType xmlns='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882' name='N' c:number='1'/>"
            "<rs:AttributeType name='NotAColumn'/></a:ElementType></a:Schema>"
            "<c:data xmlns:d='#S'><d:item ID='4' N='x'/><item ID='9'/><rs:item ID='8'/>"
            "<e:item xmlns:e='#S' ID='5' N='y'/><d:item xmlns:d='urn:elsewhere' ID='not a row'/></c:data></root>");
        QCOMPARE(readOutcome(text), QStringLiteral("t:x,i:4|t:y,i:5"));
        QCOMPARE(fieldsText(rowset::read(text)), QStringLiteral("N:? ID:i2?"));
    }

    void encodings_data()
    {
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<QString>("expected");
        const QString read = QStringLiteral("i:1,t:Zo\u00eb & \u20ac\U0001F600|i:2,null");
        QStringEncoder le(QStringEncoder::Utf16LE), be(QStringEncoder::Utf16BE);
        const QByteArray utf16le = le.encode(kSample), utf16be = be.encode(kSample);
        QTest::newRow("text with a byte-order mark") << QVariant(QChar(0xFEFF) + kSample) << read;
        QTest::newRow("UTF-8") << QVariant(kSample.toUtf8()) << read;
        QTest::newRow("UTF-8 with BOM") << QVariant("\xEF\xBB\xBF" + kSample.toUtf8()) << read;
        QTest::newRow("UTF-16LE with BOM") << QVariant("\xFF\xFE" + utf16le) << read;
        QTest::newRow("UTF-16BE with BOM") << QVariant("\xFE\xFF" + utf16be) << read;
        QTest::newRow("UTF-16LE") << QVariant(utf16le) << read;
        QTest::newRow("UTF-16BE") << QVariant(utf16be) << read;
        QTest::newRow("UTF-16 of an odd length") << QVariant(utf16le.chopped(1)) << "error -2147467259";
    }
    void encodings()
    {
        QFETCH(QVariant, input);
        QFETCH(QString, expected);
        QCOMPARE(readOutcome(input), expected);
    }

    // The description names the place: the line and column, or the end.
    void brokenDocuments_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("where");
        QTest::newRow("empty") << QString() << "line 1, column 1";
        QTest::newRow("unclosed quote") << QString(kSample).replace("ID='2'", "ID='2") << "line 12, column 12";
        QTest::newRow("cut before </xml>") << kSample.left(kSample.indexOf("</xml>")) << "(the end of the text)";
        QTest::newRow("no schema") << QString(kSample).replace("s:Schema", "s:Scheme") << "(line 1, column 1)";
        QTest::newRow("schema in another namespace")
            << QString(kSample).replace("xmlns:s='uuid:BDC6E3F0", "xmlns:s='uuid:00000000") << "(line 1, column 1)";
        QTest::newRow("no data") << QString(kSample).replace("rs:data", "rs:info") << "(line 1, column 1)";
        QTest::newRow("no row type") << QString(kSample).replace("s:ElementType", "s:Other") << "line 4, column 1";
        QTest::newRow("column without a name") << QString(kSample).replace("name='ID'", "id='ID'") << "line 6, column 1";
        QTest::newRow("column declared twice") << QString(kSample).replace("name='Name'", "name='ID'") << "line 6, col";
        QTest::newRow("ordinal not a number") << QString(kSample).replace("rs:number='2'", "rs:number='two'")
                                              << "line 6, col";
        QTest::newRow("nested record set")
            << QString(kSample).replace("<s:extends", "<s:ElementType name='child'/><s:extends") << "line 7, column 1";
    }
    void brokenDocuments()
    {
        QFETCH(QString, text);
        QFETCH(QString, where);
        const auto error = testing::errorOf([&] { rowset::read(text); });
        QVERIFY(error);
        QCOMPARE(error->number(), -2147467259);
        QVERIFY2(error->description().contains(where), qPrintable(error->description()));
    }

    // Rows are counted with the deleted ones, lines at LF, CR LF and a lone
    // CR, columns in characters; a long value is shortened.
    void valueThatDoesNotFitIsLocated()
    {
        const QString rows = QStringLiteral("<!-- a -->\r\n<!-- b -->\r<rs:delete><z:row/></rs:delete><!-- \u00e9 -->"
                                            "<z:row Amount='1234567890123456789012345678901234567890123'/>");
        const auto error = testing::errorOf([&] { rowset::read(rowsetDocument(column("Amount", "i2"), rows)); });
        QVERIFY(error);
        QCOMPARE(error->number(), 6);
        QCOMPARE(error->description(),
                 QStringLiteral("Rowset XML cannot be read: the value \"1234567890123456789012345678901234567890...\""
                                " of column \"Amount\" (i2) in row 2 (line 13, column 42) is out of the column type's "
                                "range."));
    }
};

REGISTER_TEST(RowsetReaderTest)
#include "tst_rowsetreader.moc"
