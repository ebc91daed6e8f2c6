// RecordSet: the cursor, fields by name and position, sorting, and the error
// numbers of misuse.
#include "RowsetTesting.h"
#include "TestRegistry.h"
#include "TestSupport.h"

#include <QTest>

using Operation = std::function<void(RecordSet &)>;
Q_DECLARE_METATYPE(Operation)

namespace {

Variant i(qint64 v) { return Variant::integer(v); }
Variant t(const char *v) { return Variant::text(QString::fromUtf8(v)); }
Variant f(double v) { return Variant::floating(v); }
Variant d(int year) { return Variant::date(QDateTime(QDate(year, 1, 2), QTime(3, 4))); }

// ID holds a null and two equal values, two names differ only in case, Code
// mixes integers and floating numbers, Any holds values of several kinds.
RecordSet people()
{
    RecordSet records({{"ID", "i4"}, {"Name", "string"}, {"Code", ""}, {"Any", ""}});
    records.addRow({i(3), t("bob"), i(10), d(2024)});
    records.addRow({i(1), t("Alice"), f(9.5), t("B")});
    records.addRow({i(2), t("alice"), i(100), d(2023)});
    records.addRow({i(1), t("Carl"), i(-1), Variant::binary("\x01")});
    records.addRow({Variant(), t("dave"), f(2.25), t("a")});
    return records;
}

// The names top to bottom, then "/" and the name in the current row.
QString names(const RecordSet &records)
{
    QStringList names;
    for (const RecordSet::Row &row : records.rows())
        names << row.value(1).toText();
    return names.join(u' ') + u'/' + records.Fields(QStringLiteral("nAME")).toText();
}

} // namespace

class RecordSetTest : public QObject
{
    Q_OBJECT

private slots:
    void cursorAndFields()
    {
        QVERIFY(!RecordSet().isOpen());
        const QString walked = testing::outcome([] {
            RecordSet records = people();
            QStringList seen;
            for (; !records.isEOF() && seen.size() < 9; records.MoveNext())
                seen << testing::describe(records.Fields(2));
            records.MoveFirst();
            return seen.join(u' ') + u'/' + names(records) + u'/' + QString::number(records.RecordCount());
        });
        QCOMPARE(walked, QStringLiteral("i:10 f:9.5 i:100 i:-1 f:2.25/bob Alice alice Carl dave/bob/5"));
        QCOMPARE(people().fieldIndex(QStringLiteral("code")), 2);
        QCOMPARE(people().fieldIndex(QStringLiteral("Nope")), -1);
    }

    void misuse_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<int>("number");
        const QList<std::pair<const char *, Operation>> all{
            {"isEOF", [](RecordSet &r) { r.isEOF(); }}, {"MoveFirst", [](RecordSet &r) { r.MoveFirst(); }},
            {"MoveNext", [](RecordSet &r) { r.MoveNext(); }}, {"Fields", [](RecordSet &r) { r.Fields("ID"); }},
            {"Fields(0)", [](RecordSet &r) { r.Fields(0); }}, {"Sort", [](RecordSet &r) { r.Sort("ID"); }},
            {"RecordCount", [](RecordSet &r) { r.RecordCount(); }}, {"Close", [](RecordSet &r) { r.Close(); }},
            {"addRow", [](RecordSet &r) { r.addRow({}); }}};
        for (const auto &[name, operation] : all)
            QTest::addRow("closed: %s", name) << "closed" << operation << 3704;
        QTest::newRow("never opened") << "never" << Operation([](RecordSet &r) { r.RecordCount(); }) << 3704;
        QTest::newRow("MoveNext at EOF") << "eof" << Operation([](RecordSet &r) { r.MoveNext(); }) << 3021;
        QTest::newRow("Fields at EOF") << "eof" << Operation([](RecordSet &r) { r.Fields(1); }) << 3021;
        QTest::newRow("unknown name") << "open" << Operation([](RecordSet &r) { r.Fields("Nope"); }) << 3265;
        QTest::newRow("position past the last") << "open" << Operation([](RecordSet &r) { r.Fields(4); }) << 3265;
        QTest::newRow("position -1") << "open" << Operation([](RecordSet &r) { r.Fields(-1); }) << 3265;
        QTest::newRow("row of the wrong width") << "open" << Operation([](RecordSet &r) { r.addRow({i(1)}); }) << 5;
    }
    void misuse()
    {
        QFETCH(QString, state);
        QFETCH(Operation, operation);
        QFETCH(int, number);
        const QHash<int, QString> descriptions{
            {3704, "Operation is not allowed when the object is closed."},
            {3021, "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires "
                   "a current record."},
            {3265, "Item cannot be found in the collection corresponding to the requested name or ordinal."},
            {5, "A row of 1 values cannot be added to a record set of 4 columns."}};
        RecordSet records = state == QLatin1String("never") ? RecordSet() : people();
        const auto error = testing::errorOf([&] {
            if (state == QLatin1String("closed"))
                records.Close();
            for (int n = 0; state == QLatin1String("eof") && n < 5; ++n)
                records.MoveNext();
            operation(records);
        });
        QVERIFY(error);
        QCOMPARE(error->number(), number);
        QCOMPARE(error->description(), descriptions.value(number));
    }

    // Sorting from the second row: the order, and the cursor back on the first row.
    void sort_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nulls first, equal keys keep their order") << "ID" << "dave Alice Carl alice bob/dave";
        QTest::newRow("descending, any case") << "id DESC" << "bob alice Alice Carl dave/bob";
        QTest::newRow("numbers of both kinds") << "Code asc" << "Carl dave Alice bob alice/Carl";
        QTest::newRow("dates, text without case, binary") << "Any" << "alice bob dave Alice Carl/alice";
        QTest::newRow("second key, brackets, blanks") << " [Name] , ID desc " << "alice Alice bob Carl dave/alice";
        QTest::newRow("blank expression") << "  " << "bob Alice alice Carl dave/bob";
        QTest::newRow("unknown column") << "Missing asc" << "error 3265";
        QTest::newRow("key without a column") << "ID, " << "error 5";
    }
    void sort()
    {
        QFETCH(QString, expression);
        QFETCH(QString, expected);
        QCOMPARE(testing::outcome([&] {
                     RecordSet records = people();
                     records.MoveNext();
                     records.Sort(expression);
                     return names(records);
                 }),
                 expected);
    }
};

REGISTER_TEST(RecordSetTest)
#include "tst_recordset.moc"
