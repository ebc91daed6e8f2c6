// Writing rowset XML: the exact layout, escaping, column renaming and
// nullability, refused values, and every type through a write-then-read
// round trip.
#include "RowsetTesting.h"
#include "data/Rowset.h"

#include <QRegularExpression>
#include <QTest>
#include <cmath>

using testing::raisedBy;

namespace {

FieldInfo field(const char *name, const char *type = "", bool nullable = true, qint32 maxLength = -1)
{
    return FieldInfo{QString::fromUtf8(name), QString::fromLatin1(type), nullable, maxLength};
}

RecordSet oneColumn(const FieldInfo &info, const QList<Variant> &values)
{
    RecordSet records({info});
    for (const Variant &v : values)
        records.addRow({v});
    return records;
}

// The row attribute names and real names that the schema declares.
QStringList declaredNames(const QString &xml)
{
    static const QRegularExpression declaration(
        QStringLiteral("<s:AttributeType name='([^']*)'(?: rs:name='([^']*)')?"));
    QStringList names;
    for (const QRegularExpressionMatch &m : declaration.globalMatch(xml))
        names << (m.captured(2).isEmpty() ? m.captured(1) : m.captured(1) + QLatin1Char('=') + m.captured(2));
    return names;
}

} // namespace

class RowsetWriterTest : public QObject
{
    Q_OBJECT

private slots:
    void layout()
    {
        RecordSet records({field("PartitionID", "i2", false, 2), field("Name", "string", true, 30)});
        records.addRow({Variant::integer(1), Variant::text(QStringLiteral("Joe's & Co"))});
        records.addRow({Variant::integer(2), Variant()});
        const QString expected = QStringLiteral(
            "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\r\n"
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
            "\t\t<s:extends type='rs:rowbase'/>\r\n"
            "\t</s:ElementType>\r\n"
            "</s:Schema>\r\n"
            "<rs:data>\r\n"
            "\t<z:row PartitionID='1' Name='Joe&#x27;s &#x26; Co'/>\r\n"
            "\t<z:row PartitionID='2'/>\r\n"
            "</rs:data>\r\n"
            "</xml>\r\n");
        QCOMPARE(rowset::write(records), expected);
    }

    void escaping_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("markup") << "'\"&<>" << "&#x27;&#x22;&#x26;&#x3C;&#x3E;";
        QTest::newRow("tab, carriage return, line feed") << "\t\r\n" << "&#x9;&#xD;&#xA;";
        QTest::newRow("non-ASCII kept") << "Gen\u00e8ve \u20ac" << "Gen\u00e8ve \u20ac";
        QTest::newRow("blanks kept") << "  a  " << "  a  ";
    }
    void escaping()
    {
        QFETCH(QString, value);
        QFETCH(QString, written);
        const QString xml = rowset::write(oneColumn(field("V"), {Variant::text(value)}));
        QVERIFY2(xml.contains(QStringLiteral("<z:row V='%1'/>").arg(written)), qPrintable(xml));
        QCOMPARE(rowset::read(xml).Fields(0).toText(), value);
    }

    void controlCharactersRefused_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("U+0000") << QString(QChar(0));
        QTest::newRow("vertical tab") << QStringLiteral("x\x0By");
        QTest::newRow("U+001F") << QStringLiteral("\x1F");
    }
    void controlCharactersRefused()
    {
        QFETCH(QString, value);
        RecordSet records({field("ID", "i4"), field("Note")});
        records.addRow({Variant::integer(1), Variant::text(QStringLiteral("fine"))});
        records.addRow({Variant::integer(2), Variant::text(value)});
        const QString description = raisedBy([&] { rowset::write(records); }).description();
        QVERIFY2(description.contains("\"Note\" in row 2") && description.contains("control character"),
                 qPrintable(description));
        QCOMPARE(raisedBy([] { rowset::write(oneColumn(field("A\x02"), {})); }).number(), 5); // in a column name
    }

    void columnRenaming_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("declared");
        QTest::newRow("plain names kept") << QStringList{"ID", "_Name2"} << QStringList{"ID", "_Name2"};
        QTest::newRow("blank in a name") << QStringList{"Unit Price", "ID"} << QStringList{"c0=Unit Price", "ID"};
        QTest::newRow("leading digit") << QStringList{"ID", "1st"} << QStringList{"ID", "c1=1st"};
        QTest::newRow("non-ASCII") << QStringList{"Prix\u20ac"} << QStringList{"c0=Prix\u20ac"};
        QTest::newRow("markup characters") << QStringList{"a'b"} << QStringList{"c0=a&#x27;b"};
        QTest::newRow("duplicates, any case") << QStringList{"Name", "ID", "name"}
                                              << QStringList{"c0=Name", "ID", "c2=name"};
        QTest::newRow("chain of replacements")
            << QStringList{"c1", "c2", "x y", "z z"} << QStringList{"c0=c1", "c1=c2", "c2=x y", "c3=z z"};
        QTest::newRow("empty name") << QStringList{""} << QStringList{"c0"};
    }
    void columnRenaming()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, declared);
        QList<FieldInfo> fields;
        RecordSet::Row row;
        for (qsizetype i = 0; i < names.size(); ++i) {
            fields << FieldInfo{names.at(i), QStringLiteral("i4")};
            row << Variant::integer(i);
        }
        RecordSet records(fields);
        records.addRow(row);
        const QString xml = rowset::write(records);
        QCOMPARE(declaredNames(xml), declared);
        const RecordSet back = rowset::read(xml);
        QCOMPARE(back.fields(), fields);
        QCOMPARE(back.rows(), records.rows());
    }

    void nullability_data()
    {
        QTest::addColumn<bool>("declaredNullable");
        QTest::addColumn<bool>("holdsNull");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<bool>("readNullable");
        QTest::newRow("nullable") << true << false << "rs:nullable='true'" << true;
        QTest::newRow("never null") << false << false << "rs:maybenull='false'" << false;
        QTest::newRow("declared not null but holds one") << false << true << "rs:nullable='true'" << true;
    }
    void nullability()
    {
        QFETCH(bool, declaredNullable);
        QFETCH(bool, holdsNull);
        QFETCH(QString, statement);
        QFETCH(bool, readNullable);
        const RecordSet records = oneColumn(field("A", "i2", declaredNullable),
                                            {Variant::integer(1), holdsNull ? Variant() : Variant::integer(2)});
        const QString xml = rowset::write(records);
        QCOMPARE(xml.count(QStringLiteral("rs:nullable")) + xml.count(QStringLiteral("rs:maybenull")), 1);
        QVERIFY2(xml.contains(statement), qPrintable(xml));
        QCOMPARE(rowset::read(xml).fields().at(0).nullable, readNullable);
    }

    // Every type written and read back between nulls; a column without a
    // type gets one from its first value that is not null.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<Variant>("value");
        QTest::addColumn<QString>("readType"); // when it differs from type
        const QDate day(2023, 12, 31);
        QTest::newRow("i1") << "i1" << Variant::integer(-128) << QString();
        QTest::newRow("i2") << "i2" << Variant::integer(-32768) << QString();
        QTest::newRow("i4") << "i4" << Variant::integer(2147483647) << QString();
        QTest::newRow("int") << "int" << Variant::integer(-7) << QString();
        QTest::newRow("i8") << "i8" << Variant::integer(std::numeric_limits<qint64>::min()) << QString();
        QTest::newRow("ui1") << "ui1" << Variant::integer(255) << QString();
        QTest::newRow("ui2") << "ui2" << Variant::integer(65535) << QString();
        QTest::newRow("ui4") << "ui4" << Variant::integer(4294967295LL) << QString();
        QTest::newRow("ui8") << "ui8" << Variant::integer(std::numeric_limits<qint64>::max()) << QString();
        QTest::newRow("r4") << "r4" << Variant::floating(1.5) << QString();
        QTest::newRow("r8 tenth") << "r8" << Variant::floating(0.1) << QString();
        QTest::newRow("r8 small") << "r8" << Variant::floating(-2.5e-7) << QString();
        QTest::newRow("float") << "float" << Variant::floating(123456.789) << QString();
        QTest::newRow("number") << "number" << Variant::floating(12.5) << QString();
        QTest::newRow("boolean true") << "boolean" << Variant::boolean(true) << QString();
        QTest::newRow("boolean false") << "boolean" << Variant::boolean(false) << QString();
        QTest::newRow("dateTime") << "dateTime" << Variant::date(QDateTime(day, QTime(23, 59, 58))) << QString();
        QTest::newRow("date") << "date" << Variant::date(QDateTime(day, QTime(0, 0))) << QString();
        QTest::newRow("time") << "time" << Variant::date(QDateTime(QDate(1899, 12, 30), QTime(8, 5, 0))) << QString();
        QTest::newRow("uuid") << "uuid" << Variant::text(QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}")) << QString();
        QTest::newRow("string empty") << "string" << Variant::text(QString()) << QString();
        QTest::newRow("string non-ASCII") << "string" << Variant::text(QStringLiteral("Z\u00fcrich \U0001F600")) << QString();
        QTest::newRow("bin.hex") << "bin.hex" << Variant::binary(QByteArray("\x00\xFF\x10 ", 4)) << QString();
        QTest::newRow("bin.hex empty") << "bin.hex" << Variant::binary(QByteArray()) << QString();
        QTest::newRow("bin.base64") << "bin.base64" << Variant::binary(QByteArray("\x00\xFF\x10 ", 4)) << QString();
        QTest::newRow("inferred integer") << "" << Variant::integer(-5) << "i4";
        QTest::newRow("inferred integer beyond 32 bits") << "" << Variant::integer(1LL << 40) << "i8";
        QTest::newRow("inferred floating") << "" << Variant::floating(2.5) << "r8";
        QTest::newRow("inferred boolean") << "" << Variant::boolean(true) << "boolean";
        QTest::newRow("inferred date") << "" << Variant::date(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5))) << "dateTime";
        QTest::newRow("inferred binary") << "" << Variant::binary(QByteArray("\x01\xFE", 2)) << "bin.hex";
        QTest::newRow("inferred text") << "" << Variant::text(QStringLiteral("x")) << "string";
        QTest::newRow("inferred from only nulls") << "" << Variant() << "string";
    }
    void roundTrip()
    {
        QFETCH(QString, type);
        QFETCH(Variant, value);
        QFETCH(QString, readType);
        const FieldInfo info{QStringLiteral("Value"), type, true, 40};
        const RecordSet records = oneColumn(info, {Variant(), value, Variant(), value});
        const RecordSet back = rowset::read(rowset::write(records));
        QCOMPARE(back.fields(), (QList<FieldInfo>{{info.name, readType.isNull() ? type : readType, true, 40}}));
        QCOMPARE(back.RecordCount(), 4);
        for (int row = 0; row < 4; ++row) {
            QCOMPARE(back.rows().at(row).at(0).type(), records.rows().at(row).at(0).type());
            QCOMPARE(back.rows().at(row).at(0), records.rows().at(row).at(0));
        }
    }

    // A closed record set, or one holding a value without a written form.
    void refusedRecordSets_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<int>("number");
        QTest::newRow("closed") << Variant() << 3704;
        QTest::newRow("NaN") << Variant::floating(std::nan("")) << 5;
        QTest::newRow("infinity") << Variant::floating(HUGE_VAL) << 5;
        QTest::newRow("invalid date") << Variant::date(QDateTime()) << 5;
    }
    void refusedRecordSets()
    {
        QFETCH(Variant, value);
        QFETCH(int, number);
        const RecordSet records = number == 3704 ? RecordSet() : oneColumn(field("V"), {value});
        const rt::RuntimeError error = raisedBy([&] { rowset::write(records); });
        QCOMPARE(error.number(), number);
        if (number == 5)
            QVERIFY2(error.description().contains("\"V\" in row 1"), qPrintable(error.description()));
    }

    void emptyRecordSetKeepsItsColumns()
    {
        const RecordSet back = rowset::read(rowset::write(RecordSet({field("A", "i2"), field("B")})));
        QVERIFY(back.isEOF());
        QCOMPARE(back.fields().size(), 2);
        QCOMPARE(back.fields().at(1).dataType, QStringLiteral("string"));
    }
};

QTEST_MAIN(RowsetWriterTest)
#include "tst_rowsetwriter.moc"
