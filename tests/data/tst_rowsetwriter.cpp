// Writing rowset XML: the exact layout, column renaming, refused record sets,
// and every type through a write-then-read round trip.
#include "RowsetTesting.h"
#include "RaisedErrors.h"
#include "data/Rowset.h"

#include <QRegularExpression>
#include <QTest>
#include <cmath>

using testing::outcome;

class RowsetWriterTest : public QObject
{
    Q_OBJECT

private slots:
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

    // A plain, unique name is kept; any other becomes "c" and its position,
    // and so does a kept name that a replaced one would repeat.
    void columnRenaming_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("declared");
        QTest::newRow("plain and not")
            << QStringList{"_Id2", "1st", "\u20ac", "a'b", ""}
            << "_Id2 c1 rs:name='1st' c2 rs:name='\u20ac' c3 rs:name='a&#x27;b' c4 rs:name=''";
        QTest::newRow("repeated in any case") << QStringList{"Name", "ID", "name"}
                                              << "c0 rs:name='Name' ID c2 rs:name='name'";
        QTest::newRow("chain of replacements") << QStringList{"c1", "c2", "x y", "z"}
                                               << "c0 rs:name='c1' c1 rs:name='c2' c2 rs:name='x y' z";
    }
    void columnRenaming()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, declared);
        QList<FieldInfo> fields;
        for (const QString &name : names)
            fields << FieldInfo{name, QStringLiteral("i4")};
        const QString xml = outcome([&] { return rowset::write(RecordSet(fields)); });
        static const QRegularExpression declaration(QStringLiteral("AttributeType name='([^']*)'( rs:name='[^']*')?"));
        QStringList written;
        for (const QRegularExpressionMatch &m : declaration.globalMatch(xml))
            written << m.captured(1) + m.captured(2);
        QCOMPARE(written.join(u' '), declared);
    }

    // A closed record set, or a value or column name without a written form
    // (the value in the second row): the error number and the end of its description.
    void refused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Variant>("value");
        QTest::addColumn<QString>("error");
        QTest::newRow("closed") << QString() << Variant() << "3704 Operation is not allowed when the object is closed.";
        QTest::newRow("infinity") << "V" << Variant::floating(-HUGE_VAL) << "5 \"V\" in row 2 has no written form.";
        QTest::newRow("invalid date") << "V" << Variant::date(QDateTime()) << "5 \"V\" in row 2 has no written form.";
        QTest::newRow("control character") << "V" << Variant::text("a\x1F")
                                           << "5 \"V\" in row 2 holds the control character U+001f.";
        QTest::newRow("control character in a name") << "A\x0B" << Variant()
                                                     << "5 name \"A\x0B\" holds the control character U+000b.";
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

    // The values are written between nulls into a column declared not
    // nullable with a length of 40; a column without a type gets one from its
    // first value that is not null.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QList<Variant>>("values");
        QTest::addColumn<QString>("readType");
        const auto at = [](int h, int s) { return Variant::date(QDateTime(QDate(2023, 12, 31), QTime(h, 59, s))); };
        const auto bytes = Variant::binary(QByteArray("\x00\xFF\x10 ", 4));
        const auto number = [](qint64 n) { return Variant::integer(n); };
        QTest::newRow("i8") << "i8" << QList{number(LLONG_MIN), number(LLONG_MAX)} << "i8";
        QTest::newRow("r8") << "r8" << QList{Variant::floating(0.1), Variant::floating(-2e-7), Variant::floating(1e300)}
                            << "r8";
        QTest::newRow("boolean") << "boolean" << QList{Variant::boolean(true), Variant::boolean(false)} << "boolean";
        QTest::newRow("dateTime") << "dateTime" << QList{at(23, 58)} << "dateTime";
        QTest::newRow("date") << "date" << QList{Variant::date(QDateTime(QDate(2024, 2, 29), QTime(0, 0)))} << "date";
        QTest::newRow("time") << "time" << QList{Variant::date(QDateTime(QDate(1899, 12, 30), QTime(8, 5, 7)))}
                              << "time";
        QTest::newRow("string") << "string" << QList{Variant::text(""), Variant::text("Z\u00fcrich \U0001F600")}
                                << "string";
        QTest::newRow("bin.hex") << "bin.hex" << QList{bytes, Variant::binary({})} << "bin.hex";
        QTest::newRow("bin.base64") << "bin.base64" << QList{bytes} << "bin.base64";
        QTest::newRow("inferred integer") << "" << QList{Variant(), number(-5)} << "i4";
        QTest::newRow("inferred integer above 32 bits") << "" << QList{number(1), number(1LL << 31)} << "i8";
        QTest::newRow("inferred integer below 32 bits") << "" << QList{number(-(1LL << 31) - 1)} << "i8";
        QTest::newRow("inferred floating") << "" << QList{Variant::floating(2.5)} << "r8";
        QTest::newRow("inferred boolean") << "" << QList{Variant::boolean(true)} << "boolean";
        QTest::newRow("inferred date") << "" << QList{at(3, 4)} << "dateTime";
        QTest::newRow("inferred binary") << "" << QList{bytes} << "bin.hex";
        QTest::newRow("inferred text") << "" << QList{Variant::text("x")} << "string";
        QTest::newRow("inferred from nulls only") << "" << QList<Variant>{} << "string";
    }
    void roundTrip()
    {
        QFETCH(QString, type);
        QFETCH(QList<Variant>, values);
        QFETCH(QString, readType);
        QCOMPARE(outcome([&] {
                     RecordSet records({FieldInfo{QStringLiteral("Value"), type, false, 40}});
                     for (const Variant &value : values + QList{Variant()}) {
                         records.addRow({Variant()});
                         records.addRow({value});
                     }
                     const RecordSet back = rowset::read(rowset::write(records));
                     const bool same = testing::rowsText(back) == testing::rowsText(records);
                     return testing::fieldsText(back) + (same ? QString() : u' ' + testing::rowsText(back));
                 }),
                 QStringLiteral("Value:%1?(40)").arg(readType));
    }
};

QTEST_MAIN(RowsetWriterTest)
#include "tst_rowsetwriter.moc"
