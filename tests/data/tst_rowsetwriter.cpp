// Writing rowset XML: the exact layout, column renaming, refused record sets,
// and every type through a write-then-read round trip.
#include "RowsetTesting.h"
#include "TestRegistry.h"
#include "TestSupport.h"
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
        RecordSet records({{"PartitionID", "i2", false, 2}, {"Name", "string", true, 30}, {"Unit Price", "", false}});
        records.addRow({Variant::integer(1), Variant::text("Zo\u00eb's \"&<>\t\r\n"), Variant::floating(2.5)});
        records.addRow({Variant::integer(2), Variant(), Variant()});
        QCOMPARE(outcome([&] { return rowset::write(records); }),
                 QStringLiteral("<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\r\n"
                                "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\r\n"
                                "\txmlns:rs='urn:schemas-microsoft-com:rowset'\r\n"
                                "\txmlns:z='#RowsetSchema'>\r\n"
                                "<s:Schema id='RowsetSchema'>\r\n"
                                "\t<s:ElementType name='row' content='eltOnly'>\r\n"
                                "\t\t<s:AttributeType name='PartitionID' rs:number='1'>\r\n"
                                "\t\t\t<s:datatype dt:type='i2' dt:maxLength='2' rs:maybenull='false'/>\r\n"
                                "\t\t</s:AttributeType>\r\n"
                                "\t\t<s:AttributeType name='Name' rs:number='2' rs:nullable='true'>\r\n"
                                "\t\t\t<s:datatype dt:type='string' dt:maxLength='30'/>\r\n"
                                "\t\t</s:AttributeType>\r\n"
                                "\t\t<s:AttributeType name='c2' rs:name='Unit Price' rs:number='3' rs:nullable='true'>\r\n"
                                "\t\t\t<s:datatype dt:type='r8'/>\r\n"
                                "\t\t</s:AttributeType>\r\n"
                                "\t\t<s:extends type='rs:rowbase'/>\r\n"
                                "\t</s:ElementType>\r\n"
                                "</s:Schema>\r\n"
                                "<rs:data>\r\n"
                                "\t<z:row PartitionID='1' Name='Zo\u00eb&#x27;s &#x22;&#x26;&#x3C;&#x3E;&#x9;&#xD;&#xA;' "
                                "c2='2.5'/>\r\n"
                                "\t<z:row PartitionID='2'/>\r\n"
                                "</rs:data>\r\n"
                                "</xml>\r\n"));
    }

    // A plain, unique name is kept; any other becomes "c" and its position,
    // and so does a kept name that a replaced one would repeat.
    void columnRenaming_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("declared");
        QTest::newRow("plain and not") << QStringList{"_Id2", "1st", "Prix\u20ac", "a'b", ""}
                                       << "_Id2 c1=1st c2=Prix\u20ac c3=a&#x27;b c4=";
        QTest::newRow("repeated in any case") << QStringList{"Name", "ID", "name"} << "c0=Name ID c2=name";
        QTest::newRow("chain of replacements") << QStringList{"c1", "c2", "x y", "z"} << "c0=c1 c1=c2 c2=x y z";
    }
    void columnRenaming()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, declared);
        QList<FieldInfo> fields;
        RecordSet::Row row;
        QString values;
        for (qsizetype i = 0; i < names.size(); ++i) {
            fields << FieldInfo{names.at(i), QStringLiteral("i4")};
            row << Variant::integer(i);
            values += QStringLiteral(",i:%1").arg(i);
        }
        RecordSet records(fields);
        records.addRow(row);
        const QString xml = outcome([&] { return rowset::write(records); });
        static const QRegularExpression declaration(QStringLiteral("<s:AttributeType name='([^']*)'(?: rs:name='([^']*)')?"));
        QStringList written;
        for (const QRegularExpressionMatch &m : declaration.globalMatch(xml))
            written << m.captured(1) + (m.captured(2).isNull() ? QString() : u'=' + m.captured(2));
        QCOMPARE(written.join(u' '), declared);
        QCOMPARE(outcome([&] {
                     const RecordSet back = rowset::read(xml);
                     QStringList read;
                     for (const FieldInfo &field : back.fields())
                         read << field.name;
                     return read.join(u'|') + u' ' + testing::rowsText(back);
                 }),
                 names.join(u'|') + u' ' + values.mid(1));
    }

    // A closed record set, or a value or column name without a written form, in the second row.
    void refused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Variant>("value");
        QTest::addColumn<QString>("error");
        const QString noForm = "5 Rowset XML cannot be written: the value of column \"V\" in row 2 has no written form.";
        QTest::newRow("closed") << QString() << Variant() << "3704 Operation is not allowed when the object is closed.";
        QTest::newRow("not a number") << "V" << Variant::floating(std::nan("")) << noForm;
        QTest::newRow("infinity") << "V" << Variant::floating(-HUGE_VAL) << noForm;
        QTest::newRow("invalid date") << "V" << Variant::date(QDateTime()) << noForm;
        QTest::newRow("control character") << "V" << Variant::text("a\x1F")
            << "5 Rowset XML cannot be written: the value of column \"V\" in row 2 holds the control character U+001f.";
        QTest::newRow("control character in a name") << "A\x0B" << Variant()
            << "5 Rowset XML cannot be written: the column name \"A\x0B\" holds the control character U+000b.";
    }
    void refused()
    {
        QFETCH(QString, name);
        QFETCH(Variant, value);
        QFETCH(QString, error);
        RecordSet records = name.isNull() ? RecordSet() : RecordSet({FieldInfo{name, {}}});
        if (records.isOpen()) {
            records.addRow({Variant::text(" ")});
            records.addRow({value});
        }
        const auto raised = testing::errorOf([&] { rowset::write(records); });
        QVERIFY(raised);
        QCOMPARE(QString::number(raised->number()) + u' ' + raised->description(), error);
    }

    // The values are written between nulls into a column declared not nullable
    // with a length of 40; a column without a type gets one from its values.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QList<Variant>>("values");
        QTest::addColumn<QString>("readType");
        const auto day = [](int h, int s) { return Variant::date(QDateTime(QDate(2023, 12, 31), QTime(h, 59, s))); };
        const auto bytes = Variant::binary(QByteArray("\x00\xFF\x10 ", 4));
        QTest::newRow("i8") << "i8" << QList{Variant::integer(LLONG_MIN), Variant::integer(LLONG_MAX)} << "i8";
        QTest::newRow("r8") << "r8" << QList{Variant::floating(0.1), Variant::floating(-2.5e-7), Variant::floating(1e300)}
                            << "r8";
        QTest::newRow("boolean") << "boolean" << QList{Variant::boolean(true), Variant::boolean(false)} << "boolean";
        QTest::newRow("dateTime") << "dateTime" << QList{day(23, 58)} << "dateTime";
        QTest::newRow("date") << "date" << QList{Variant::date(QDateTime(QDate(2024, 2, 29), QTime(0, 0)))} << "date";
        QTest::newRow("time")
            << "time" << QList{Variant::date(QDateTime(QDate(1899, 12, 30), QTime(8, 5, 7)))} << "time";
        QTest::newRow("text of a declared type") << "uuid" << QList{Variant::text("{6F9619FF-8B86}")} << "uuid";
        QTest::newRow("string") << "string" << QList{Variant::text(""), Variant::text("Z\u00fcrich \U0001F600")}
                                << "string";
        QTest::newRow("bin.hex") << "bin.hex" << QList{bytes, Variant::binary({})} << "bin.hex";
        QTest::newRow("bin.base64") << "bin.base64" << QList{bytes} << "bin.base64";
        QTest::newRow("inferred integer") << "" << QList{Variant(), Variant::integer(-5)} << "i4";
        QTest::newRow("inferred integer beyond 32 bits") << "" << QList{Variant::integer(1), Variant::integer(1LL << 31)}
                                                         << "i8";
        QTest::newRow("inferred integer below 32 bits") << "" << QList{Variant::integer(-(1LL << 31) - 1)} << "i8";
        QTest::newRow("inferred floating") << "" << QList{Variant::floating(2.5)} << "r8";
        QTest::newRow("inferred boolean") << "" << QList{Variant::boolean(true)} << "boolean";
        QTest::newRow("inferred date") << "" << QList{day(3, 4)} << "dateTime";
        QTest::newRow("inferred binary") << "" << QList{bytes} << "bin.hex";
        QTest::newRow("inferred text") << "" << QList{Variant::text("x")} << "string";
        QTest::newRow("inferred from nulls only") << "" << QList<Variant>{} << "string";
    }
    void roundTrip()
    {
        QFETCH(QString, type);
        QFETCH(QList<Variant>, values);
        QFETCH(QString, readType);
        RecordSet records({FieldInfo{QStringLiteral("Value"), type, false, 40}});
        for (const Variant &value : values + QList{Variant()}) {
            records.addRow({Variant()});
            records.addRow({value});
        }
        QCOMPARE(outcome([&] {
                     const RecordSet back = rowset::read(rowset::write(records));
                     return testing::fieldsText(back) + u' ' + testing::rowsText(back);
                 }),
                 QStringLiteral("Value:%1?(40) ").arg(readType) + testing::rowsText(records));
    }
};

REGISTER_TEST(RowsetWriterTest)
#include "tst_rowsetwriter.moc"
