// Rowset XML read and written. Reading: values by column type, the schema's
// columns, nulls and pending changes, namespaces matched by their URI,
// encodings, and located errors for broken documents. Writing: the exact
// layout, values of each type read back the same, and what is refused.
#include "RaisedErrors.h"
#include "rowset/Rowset.h"

#include <QStringEncoder>
#include <QTimeZone>
#include <QTest>

namespace {

// A rowset document with the usual prefixes: columns are s:AttributeType
// elements, rows the content of rs:data (which starts on line 11).
QString rowsetDocument(const QString &columns, const QString &rows)
{
    return QStringLiteral("<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\n"
                          " xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\n"
                          " xmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'>\n"
                          "<s:Schema id='RowsetSchema'>\n<s:ElementType name='row' content='eltOnly'>\n%1\n"
                          "<s:extends type='rs:rowbase'/>\n</s:ElementType>\n</s:Schema>\n"
                          "<rs:data>\n%2\n</rs:data>\n</xml>\n")
        .arg(columns, rows);
}

// An s:AttributeType with its s:datatype, which also carries extra.
QString column(const QString &name, const QString &type, const QString &extra = {})
{
    return QStringLiteral("<s:AttributeType name='%1'><s:datatype dt:type='%2' %3/></s:AttributeType>")
        .arg(name, type, extra);
}

// A value as its kind and text: "null", "t:x", "i:7", "f:1.5", "b:True",
// "d:2024-02-29T13:45:07.000" (with its zone when it has one), "x:0AFF" or "u:7".
QString describe(const Variant &value)
{
    static const char *const kinds[] = {"null", "t:", "i:", "f:", "b:", "d:", "x:", "u:"};
    if (value.type() == Variant::Type::Date)
        return QStringLiteral("d:") + value.asDate().toString(Qt::ISODateWithMs);
    return QLatin1String(kinds[int(value.type())]) + (value.isNull() ? QString() : value.toText());
}

// The rows, "|"-separated, each with its values ","-separated as describe() gives them.
QString rowsText(const RecordSet &records)
{
    QStringList rows;
    for (const RecordSet::Row &row : records.rows()) {
        QStringList values;
        for (const Variant &value : row)
            values << describe(value);
        rows << values.join(u',');
    }
    return rows.join(u'|');
}

// The columns, blank-separated, as "name:type", with "?" when nullable and "(n)" for a declared length.
QString fieldsText(const RecordSet &records)
{
    QStringList fields;
    for (const FieldInfo &f : records.fields())
        fields << f.name + u':' + f.dataType + (f.nullable ? QStringLiteral("?") : QString())
                      + (f.maxLength >= 0 ? QStringLiteral("(%1)").arg(f.maxLength) : QString());
    return fields.join(u' ');
}

// What a call gives, or "error N" for the run-time error it raises.
QString outcome(const std::function<QString()> &call)
{
    QString result;
    const auto error = testing::errorOf([&] { result = call(); });
    return error ? QStringLiteral("error %1").arg(error->number()) : result;
}

// Two rows, the first with a name beyond ASCII, for the encodings and the broken documents.
const QString kSample = rowsetDocument(column("ID", "i2", "rs:number='1'") + column("Name", "string", "rs:number='2'"),
                                       QStringLiteral("<z:row ID='1' Name='Zo\u00eb &#x26; \u20ac\U0001F600'/>\n"
                                                      "<z:row ID='2'/>"));

} // namespace

class RowsetTest : public QObject
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
        const QString integers = QStringLiteral("i2|i4|i8|ui1|ui8");
        QTest::newRow("integers: largest")
            << integers << "32767|2147483647|9223372036854775807|255|18446744073709551615"
            << "i:32767|i:2147483647|i:9223372036854775807|i:255|u:18446744073709551615";
        QTest::newRow("integers: one above")
            << integers << "32768|2147483648|9223372036854775808|256|18446744073709551616"
            << "error 6|error 6|error 6|error 6|error 6";
        QTest::newRow("integers: smallest, one below, forms")
            << "i2|i2|ui1|ui1|i4|i4|i4|i4|ui8|ui8|ui8|ui8" << "-32768|-32769|0|-1| -7 |+42|abc|1.5|| +7 |-0|-1"
            << "i:-32768|error 6|i:0|error 6|i:-7|i:42|error 13|error 13|error 13|u:7|u:0|error 6";
        QTest::newRow("floating") << "r4|float|number|r8|r8|r8|r8" << "1.5|-2.25E3| +.5 |1e999|x|nan|"
                                  << "f:1.5|f:-2250|f:0.5|error 6|error 13|error 13|error 13";
        QTest::newRow("unknown type names") << "fixed.14.4|bin.base64|dateTime.tz|time.tz|I4"
                                            << "12.50|AP8Q|2024-02-29T13:45:07Z|x|7"
                                            << "t:12.50|t:AP8Q|t:2024-02-29T13:45:07Z|t:x|t:7";
        QTest::newRow("boolean") << "boolean" << "tRUE|1|-1| false |0|yes"
                                 << "b:True|b:True|b:True|b:False|b:False|error 13";
        QTest::newRow("dates") << "dateTime|dateTime|dateTime|date|time"
            << "2024-02-29 13:45:07.25|2024-02-29T13:45:07-0230|2024-02-30T00:00:00|2024-02-29|13:45:07"
            << "d:2024-02-29T13:45:07.250|d:2024-02-29T13:45:07.000-02:30|error 13|d:2024-02-29T00:00:00.000|"
               "d:1899-12-30T13:45:07.000";
        QTest::newRow("binary, text and GUIDs")
            << "bin.hex|bin.hex|bin.hex|bin.hex|string|string|uuid|uuid|uuid"
            << "0aFF 10&#xD;&#xA;\t20||abc|0g|a\tb\r\nc&#x26;|| {6f9619FF-8B86-D011-B42D-00C04FC964FF} |{6F96}|"
               "6F9619FF-8B86-D011-B42D-00C04FC964FF"
            << "x:0AFF1020|x:|error 13|error 13|t:a\tb\r\nc&|t:|t:{6f9619FF-8B86-D011-B42D-00C04FC964FF}|error 13|"
               "error 13";
    }
    void values()
    {
        QFETCH(QString, types);
        QFETCH(QString, texts);
        QFETCH(QString, outcomes);
        const QStringList typeList = types.split(u'|'), textList = texts.split(u'|');
        QStringList read;
        for (qsizetype i = 0; i < textList.size(); ++i) {
            const QString document = rowsetDocument(column("V", typeList.value(i, typeList.value(0))),
                                                    QStringLiteral("<z:row V='%1'/>").arg(textList.at(i)));
            read << outcome([&] { return rowsText(rowset::read(document)); });
        }
        QCOMPARE(read.join(u'|'), outcomes);
    }

    // What a text (QString) or bytes (QByteArray) give: the columns as
    // fieldsText() gives them, then the rows.
    void documents_data()
    {
        QTest::addColumn<QVariant>("document");
        QTest::addColumn<QString>("expected");
        const QString idNameNoteColumns = column("ID", "i2") + column("Name", "string") + column("Note", "string");
        const auto idNameNote = [&](const char *rows) { return QVariant(rowsetDocument(idNameNoteColumns, rows)); };
        const QString fields = QStringLiteral("ID:i2? Name:string? Note:string? / ");
        QTest::newRow("ordinals with gaps, hidden column, unknown attribute")
            << QVariant(rowsetDocument(column("Third", "string", "rs:number='10'")
                                           + column("First", "i2", "rs:number='2'")
                                           + column("Hidden", "i4", "rs:number='1' rs:hidden='True'")
                                           + column("Second", "i4", "rs:number='5'"),
                                       "<z:row Third='c' First='1' Second='2' Hidden='x' Extra='x'/>"))
            << "First:i2? Second:i4? Third:string? / i:1,i:2,t:c";
        QTest::newRow("rs:name renames, repeats allowed")
            << QVariant(rowsetDocument(column("c0", "number", "rs:name='Price'") + column("c1", "string", "rs:name='N'")
                                           + column("c2", "string", "rs:name='N'"),
                                       "<z:row c0='12.50' c1='a' c2='b'/>"))
            << "Price:number? N:string? N:string? / f:12.5,t:a,t:b";
        QTest::newRow("types, nullability and lengths")
            << QVariant(rowsetDocument("<s:AttributeType name='A' dt:type='i4' rs:nullable='false'/>"
                                       "<s:AttributeType name='T'/>"
                                           + column("B", "string", "dt:maxLength='30' rs:maybenull='false'")
                                           + column("C", "i2", "rs:nullable='false' rs:maybenull='1'"),
                                       "<z:row A='7' T='7'/>"))
            << "A:i4 T:? B:string(30) C:i2? / i:7,t:7,null,null";
        QTest::newRow("absent is null, empty is empty text, a leading U+FEFF kept")
            << idNameNote("<z:row ID='1' Name='' Note='\xEF\xBB\xBFn'/>") << fields + "i:1,t:,t:\uFEFFn";
        QTest::newRow("forcenull") << idNameNote("<z:row ID='1' Name='x' Note='n' rs:forcenull=' ID\tNote  '/>")
                                   << fields + "null,t:x,null";
        QTest::newRow("attributes in any order, repeated texts")
            << idNameNote("<z:row Note='ab' Other='?' ID='2'/><z:row Name='b' ID='3' Note='cd'/><z:row Note='ab'/>")
            << fields + "i:2,null,t:ab|i:3,t:b,t:cd|null,null,t:ab";
        QTest::newRow("insert seen, delete not")
            << idNameNote("<rs:insert><z:row ID='5'/></rs:insert><rs:delete><z:row ID='4'/></rs:delete>")
            << fields + "i:5,null,null";
        QTest::newRow("update over its original")
            << idNameNote("<rs:update><rs:original><z:row ID='2' Name='old' Note='n'/></rs:original>"
                          "<z:row Name='new' rs:forcenull='Note'/></rs:update>")
            << fields + "i:2,t:new,null";
        QTest::newRow("namespaces by URI, not prefix") << QVariant(QStringLiteral(
            "<root xmlns:a='uuid:bdc6e3f0-6da3-11d1-a2a3-00aa00c14882'"
            " xmlns:b='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882' xmlns:rs='urn:other'"
            " xmlns:c='urn:schemas-microsoft-com:rowset'>"
            "<a:Schema id='S'><a:ElementType name='item'>"
            "<a:AttributeType name='ID' c:number='2'><a:datatype b:type='i2'/></a:AttributeType>"
            "<AttributeType xmlns='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882' name='N' c:number='1'/>"
            "<rs:AttributeType name='NotAColumn'/></a:ElementType></a:Schema><rs:data/>"
            "<c:data xmlns:d='#S'><d:item ID='4' N='x' rs:forcenull='N'/><item ID='9'/><rs:item ID='8'/>"
            "<e:item xmlns:e='#S' ID='5' N='y'/><d:item xmlns:d='urn:elsewhere' ID='not a row'/></c:data></root>"))
            << "N:? ID:i2? / t:x,i:4|t:y,i:5";
        const QString schemaLevel = QStringLiteral("<s:AttributeType name='s1' rs:name='First' dt:type='i4'/>"
                                                   "<s:AttributeType name='s2'/><s:AttributeType name='s3' dt:type='i2'/>"
                                                   "<s:ElementType");
        QTest::newRow("column types of the schema named by the row type")
            << QVariant(rowsetDocument("<s:attribute type='s2'/><s:attribute type='s1'/>",
                                       "<z:row s1='7' s2='x' s3='y'/>")
                            .replace("<s:ElementType", schemaLevel))
            << "s2:? First:i4? / t:x,i:7";
        const QString sample = QStringLiteral("ID:i2? Name:string? / i:1,t:Zo\u00eb & \u20ac\U0001F600|i:2,null");
        QStringEncoder toBE(QStringEncoder::Utf16BE);
        const QByteArray be = toBE.encode(kSample);
        QTest::newRow("text with a byte-order mark") << QVariant(QChar(0xFEFF) + kSample) << sample;
        QTest::newRow("UTF-8 with BOM") << QVariant("\xEF\xBB\xBF" + kSample.toUtf8()) << sample;
        QTest::newRow("UTF-16BE") << QVariant(be) << sample;
        QTest::newRow("UTF-16 of an odd length") << QVariant(be.chopped(1)) << "error -2147467259";
        QTest::newRow("raw NUL in a value kept")
            << QVariant(
                   QString(kSample).replace("Zo", QString("Z") + QChar(0) + "o").replace("ID='2'", "ID='2' V='\x01'"))
            << QString(sample).replace("Zo", QString("Z") + QChar(0) + "o");
    }
    void documents()
    {
        QFETCH(QVariant, document);
        QFETCH(QString, expected);
        QCOMPARE(outcome([&] {
                     const RecordSet records = document.typeId() == QMetaType::QByteArray
                                                   ? rowset::readBytes(document.toByteArray())
                                                   : rowset::read(document.toString());
                     return fieldsText(records) + " / " + rowsText(records);
                 }),
                 expected);
    }

    // The description names the place: the line and column, or the end. Rows
    // are counted with the deleted ones, lines at LF, CR LF and a lone CR,
    // columns in characters; a long value is shortened. A text (QString) or
    // bytes (QByteArray) in UTF-8 or, with a byte-order mark, UTF-16.
    void brokenDocuments_data()
    {
        QTest::addColumn<QVariant>("document");
        QTest::addColumn<QString>("where");
        const auto broken = [](const char *name, const QString &from, const QString &to, const QString &where) {
            QTest::newRow(name) << QVariant(QString(kSample).replace(from, to)) << where;
        };
        const QString at1125 = QStringLiteral("not well formed at line 11, column 25: ");
        broken("unclosed quote", "ID='2'", "ID='2", "line 13, column 1: '<' inside an attribute value.");
        QTest::newRow("cut before </xml>")
            << QVariant(kSample.left(kSample.indexOf("</xml>"))) << "line 14, column 1 (the end of the text)";
        broken("no schema", "s:Schema", "s:Scheme", "the root element (line 1, column 1) holds no schema (s:Schema).");
        broken("end tag that does not match", "</rs:data>", "</rs:dat>", "line 13, column 3: Start-end tags mismatch.");
        broken("attribute name holding '$'", "<z:row ID='2'/>", "<z:row ID='2' a$b='1'/>",
               "line 12, column 17: Error parsing element attribute.");
        broken("instruction without a target", "<z:row ID='2'/>", "<z:row ID='2'/><? x?>",
               "line 12, column 18: Error parsing document declaration/processing instruction.");
        broken("nameless column", "name='ID'", "id='ID'", "line 6, column 1)");
        QTest::newRow("value that does not fit")
            << QVariant(rowsetDocument(column("Amount", "i2"),
                                       "<!-- a -->\r\n<!-- b -->\r<rs:delete><z:row/></rs:delete><!-- \u00e9 -->"
                                       "<z:row Amount='1234567890123456789012345678901234567890123'/>"))
            << "Rowset XML cannot be read: the value \"1234567890123456789012345678901234567890...\" of column "
               "\"Amount\" (i2) in row 2 (line 13, column 42) is out of the column type's range.";
        broken("reference to NUL", "&#x26;", "&#0;", at1125 + "a character reference to U+0000.");
        broken("reference beyond Unicode", "&#x26;", "&#1114112;", at1125 + "a character reference beyond U+10FFFF.");
        broken("reference to a surrogate", "&#x26;", "&#xdBff;",
               at1125 + "a character reference to the surrogate U+DBFF.");
        broken("reference to U+FFFF", "&#x26;", "&#xFFFF;",
               at1125 + "a character reference to the noncharacter U+FFFF.");
        broken("unknown entity", "&#x26;", "&nbsp;", at1125 + "the entity reference &nbsp;, which is none of &lt; "
                                                          "&gt; &amp; &apos; &quot;.");
        broken("bare ampersand", "&#x26;", "& ", at1125 + "an '&' that starts no reference.");
        broken("repeated attribute", "ID='2'", "ID='2' Name='a' ID='3'",
               "not well formed at line 12, column 24: the attribute \"ID\" is given twice.");
        broken("second root", "</xml>\n", "</xml>\n<xml/>", "line 15, column 1: a second root element.");
        broken("text after the root", "</xml>\n", "</xml>\nx", "line 15, column 1: text after the root element.");
        broken("undeclared prefix of a row", "<z:row ID='2'/>", "<zz:row ID='2'/>",
               "line 12, column 1: the prefix of the element \"zz:row\" is not declared.");
        QTest::newRow("named column type not declared")
            << QVariant(rowsetDocument("<s:attribute type='s1'/>", {})) << "column type \"s1\", which the schema "
                                                                         "does not declare (schema, line 6, column 1).";
        QTest::newRow("invalid UTF-8") << QVariant(kSample.toUtf8().replace("\xc3\xab", "\xc3("))
                                       << "line 11, column 23: an invalid UTF-8 sequence.";
        QStringEncoder toLE(QStringEncoder::Utf16LE);
        const QByteArray lone = QByteArray(toLE.encode(kSample)).replace(QByteArray("=\xd8\x00\xde", 4), "=\xd8(");
        QTest::newRow("lone surrogate in UTF-16") << QVariant("\xFF\xFE" + lone + '\0')
            << "line 11, column 33: an invalid UTF-16 sequence (the lone surrogate U+D83D).";
    }
    void brokenDocuments()
    {
        QFETCH(QVariant, document);
        QFETCH(QString, where);
        const auto error = testing::errorOf([&] {
            document.typeId() == QMetaType::QByteArray ? rowset::readBytes(document.toByteArray())
                                                       : rowset::read(document.toString());
        });
        QVERIFY2(error && error->description().contains(where), error ? qPrintable(error->description()) : "no error");
    }

    // Markup and TAB, CR, LF escaped; a column that is not declared nullable
    // but holds a null, a renamed column and a type taken from the values.
    void layout()
    {
        const char *expected =
            "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\r\n"
            "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\r\n"
            "\txmlns:rs='urn:schemas-microsoft-com:rowset'\r\n"
            "\txmlns:z='#RowsetSchema'>\r\n"
            "<s:Schema id='RowsetSchema'>\r\n"
            "\t<s:ElementType name='row' content='eltOnly'>\r\n"
            "\t\t<s:AttributeType name='ID' rs:number='1'>\r\n"
            "\t\t\t<s:datatype dt:type='i2' dt:maxLength='2' rs:maybenull='false'/>\r\n"
            "\t\t</s:AttributeType>\r\n"
            "\t\t<s:AttributeType name='Name' rs:number='2' rs:nullable='true'>\r\n"
            "\t\t\t<s:datatype dt:type='string' dt:maxLength='30'/>\r\n"
            "\t\t</s:AttributeType>\r\n"
            "\t\t<s:AttributeType name='c2' rs:name='2nd' rs:number='3' rs:nullable='true'>\r\n"
            "\t\t\t<s:datatype dt:type='r8'/>\r\n"
            "\t\t</s:AttributeType>\r\n"
            "\t\t<s:extends type='rs:rowbase'/>\r\n"
            "\t</s:ElementType>\r\n"
            "</s:Schema>\r\n"
            "<rs:data>\r\n"
            "\t<z:row ID='1' Name='\u00e9&#x27;&#x22;&#x26;&#x3C;&#x3E;&#x9;&#xD;&#xA;' c2='2.5'/>\r\n"
            "\t<z:row ID='2'/>\r\n"
            "</rs:data>\r\n"
            "</xml>\r\n";
        QCOMPARE(outcome([] {
                     RecordSet records({{"ID", "i2", false, 2}, {"Name", "string", true, 30}, {"2nd", "", false}});
                     records.addRow({Variant::integer(1), Variant::text("\u00e9'\"&<>\t\r\n"), Variant::floating(2.5)});
                     records.addRow({Variant::integer(2), Variant(), Variant()});
                     return rowset::write(records);
                 }),
                 QString::fromUtf8(expected));
    }

    // A closed record set, or a value or column name that has no written
    // form (the value in the second row): the error number and the end of
    // its description.
    void refused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Variant>("value");
        QTest::addColumn<QString>("error");
        QTest::newRow("closed") << QString() << Variant() << "3704 Operation is not allowed when the object is closed.";
        QTest::newRow("control character")
            << "V" << Variant::text("a\x1F") << "5 \"V\" in row 2 holds the control character U+001F.";
        QTest::newRow("control character in a name")
            << "A\x0B" << Variant() << "5 name \"A\x0B\" holds the control character U+000B.";
        QTest::newRow("lone surrogate") << "V" << Variant::text(QString("a") + QChar(0xDC00) + QChar(0xD800))
                                        << "5 \"V\" in row 2 holds the lone surrogate U+DC00.";
        QTest::newRow("noncharacter") << "V" << Variant::text(QString("\U0001F600") + QChar(0xFFFE))
                                      << "5 \"V\" in row 2 holds the noncharacter U+FFFE.";
    }
    void refused()
    {
        QFETCH(QString, name);
        QFETCH(Variant, value);
        QFETCH(QString, error);
        const auto raised = testing::errorOf([&] {
            RecordSet records = name.isNull() ? RecordSet() : RecordSet({FieldInfo{name, {}}});
            if (records.isOpen()) {
                records.addRow({Variant::text(" ")});
                records.addRow({value});
            }
            rowset::write(records);
        });
        QVERIFY(raised);
        QCOMPARE(raised->number(), error.section(u' ', 0, 0).toInt());
        QVERIFY2(raised->description().contains(error.section(u' ', 1)), qPrintable(raised->description()));
    }

    // Values of each type written between nulls into a column declared not
    // nullable with a length of 40, and read back the same.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QList<Variant>>("values");
        QTest::newRow("r8") << "r8" << QList{Variant::floating(0.1), Variant::floating(-2e-7), Variant::floating(1e99)};
        QTest::newRow("i8") << "i8" << QList{Variant::integer(LLONG_MIN), Variant::integer(LLONG_MAX)};
        QTest::newRow("dateTime") << "dateTime"
                                  << QList{Variant::date(QDateTime(QDate(2023, 12, 31), QTime(23, 58))),
                                           Variant::date(QDateTime(QDate(2024, 2, 29), QTime(13, 45, 7, 250), Qt::UTC)),
                                           Variant::date(QDateTime(QDate(1, 1, 1), QTime(0, 0, 0, 5),
                                                                   QTimeZone(-9000)))};
        QTest::newRow("date, time") << "date"
                                    << QList{Variant::date(QDateTime(QDate(2024, 2, 29), QTime(0, 0))),
                                             Variant::date(QDateTime(QDate(2024, 2, 29), QTime(0, 0, 1)))};
        QTest::newRow("ui8") << "ui8" << QList{Variant::unsignedInteger(ULLONG_MAX), Variant::unsignedInteger(0)};
    }
    void roundTrip()
    {
        QFETCH(QString, type);
        QFETCH(QList<Variant>, values);
        QCOMPARE(outcome([&] {
                     RecordSet records({FieldInfo{QStringLiteral("Value"), type, false, 40}});
                     for (const Variant &value : values + QList{Variant()}) {
                         records.addRow({Variant()});
                         records.addRow({value});
                     }
                     const RecordSet back = rowset::read(rowset::write(records));
                     const bool same = rowsText(back) == rowsText(records);
                     return fieldsText(back) + (same ? QString() : u' ' + rowsText(back));
                 }),
                 QStringLiteral("Value:%1?(40)").arg(type));
    }
};

QTEST_MAIN(RowsetTest)
#include "tst_rowset.moc"
