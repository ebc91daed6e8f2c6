// RecordSet: cursor and EOF, field access by name and position, sorting, and
// the error numbers of misuse.
#include "RowsetTesting.h"
#include "data/RecordSet.h"

#include <QTest>

using testing::columnTexts;
using testing::raisedBy;

namespace {

Variant i(qint64 v) { return Variant::integer(v); }
Variant t(const char *v) { return Variant::text(QString::fromUtf8(v)); }
Variant f(double v) { return Variant::floating(v); }

// Five people; ID and Score hold a null each, two IDs repeat, Code mixes
// integers and floating numbers.
RecordSet people()
{
    RecordSet records({{"ID", "i4"}, {"Name", "string"}, {"Score", "r8"}, {"Code", ""}});
    records.addRow({i(3), t("bob"), f(1.5), i(10)});
    records.addRow({i(1), t("Alice"), Variant(), f(9.5)});
    records.addRow({i(2), t("alice"), f(0.5), i(100)});
    records.addRow({i(1), t("Carl"), f(2.0), i(-1)});
    records.addRow({Variant(), t("dave"), f(1.5), f(2.25)});
    return records;
}

using Operation = void (*)(RecordSet &);
const QMap<QString, Operation> Operations = {
    {"isEOF", [](RecordSet &r) { r.isEOF(); }},
    {"MoveNext", [](RecordSet &r) { r.MoveNext(); }},
    {"Fields name", [](RecordSet &r) { r.Fields(QStringLiteral("ID")); }},
    {"Fields unknown name", [](RecordSet &r) { r.Fields(QStringLiteral("Nope")); }},
    {"Fields position", [](RecordSet &r) { r.Fields(0); }},
    {"Fields position 4", [](RecordSet &r) { r.Fields(4); }},
    {"Fields position -1", [](RecordSet &r) { r.Fields(-1); }},
    {"Sort", [](RecordSet &r) { r.Sort(QStringLiteral("ID")); }},
    {"RecordCount", [](RecordSet &r) { r.RecordCount(); }},
    {"Close", [](RecordSet &r) { r.Close(); }},
    {"addRow short", [](RecordSet &r) { r.addRow({i(1)}); }},
};

} // namespace

class RecordSetTest : public QObject
{
    Q_OBJECT

private slots:
    void walksRowsInOrder()
    {
        RecordSet records = people();
        QVERIFY(records.isOpen());
        QCOMPARE(records.RecordCount(), 5);
        QStringList names;
        for (; !records.isEOF(); records.MoveNext())
            names << records.Fields(QStringLiteral("name")).toText();
        QCOMPARE(names, QStringList({"bob", "Alice", "alice", "Carl", "dave"}));
        records.MoveFirst();
        QCOMPARE(records.Fields(1), t("bob"));
        QCOMPARE(records.Fields(QStringLiteral("SCORE")), f(1.5));
        records.MoveNext();
        QVERIFY(records.Fields(QStringLiteral("Score")).isNull());
        QCOMPARE(records.fieldIndex(QStringLiteral("code")), 3);
        QCOMPARE(records.fieldIndex(QStringLiteral("Nope")), -1);
    }

    void emptyTableIsAtEofAtOnce()
    {
        RecordSet records({{QStringLiteral("ID"), QStringLiteral("i4")}});
        QVERIFY(records.isEOF());
        QCOMPARE(records.RecordCount(), 0);
        QCOMPARE(raisedBy([&] { records.Fields(0); }).number(), 3021);
    }

    void misuse_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        const QString closed = QStringLiteral("Operation is not allowed when the object is closed.");
        const QString noRecord = QStringLiteral(
            "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a "
            "current record.");
        const QString notFound =
            QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal.");
        for (const char *op : {"isEOF", "MoveNext", "Fields name", "Sort", "Close", "addRow short"})
            QTest::addRow("closed: %s", op) << "closed" << op << 3704 << closed;
        QTest::newRow("never opened: RecordCount") << "default" << "RecordCount" << 3704 << closed;
        for (const char *op : {"Fields position", "MoveNext"})
            QTest::addRow("at EOF: %s", op) << "eof" << op << 3021 << noRecord;
        for (const char *op : {"Fields unknown name", "Fields position 4", "Fields position -1"})
            QTest::addRow("open: %s", op) << "open" << op << 3265 << notFound;
        QTest::newRow("wrong row width") << "open" << "addRow short" << 5
                                         << "A row of 1 values cannot be added to a record set of 4 columns.";
    }
    void misuse()
    {
        QFETCH(QString, state);
        QFETCH(QString, operation);
        QFETCH(int, number);
        QFETCH(QString, description);
        RecordSet records = state == QLatin1String("default") ? RecordSet() : people();
        if (state == QLatin1String("closed"))
            records.Close();
        while (state == QLatin1String("eof") && !records.isEOF())
            records.MoveNext();
        const rt::RuntimeError error = raisedBy([&] { Operations.value(operation)(records); });
        QCOMPARE(error.number(), number);
        QCOMPARE(error.source(), QStringLiteral("VEL_PART_SET"));
        QCOMPARE(error.description(), description);
    }

    void sort_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("default ascending, nulls first, stable")
            << "ID" << QStringList{"dave", "Alice", "Carl", "alice", "bob"};
        QTest::newRow("desc keeps equal rows in order")
            << "ID desc" << QStringList{"bob", "alice", "Alice", "Carl", "dave"};
        QTest::newRow("text ignores case, stable") << "Name" << QStringList{"Alice", "alice", "bob", "Carl", "dave"};
        QTest::newRow("column and direction in any case")
            << "name DESC" << QStringList{"dave", "Carl", "bob", "Alice", "alice"};
        QTest::newRow("integers and floating numerically")
            << "Code asc" << QStringList{"Carl", "dave", "Alice", "bob", "alice"};
        QTest::newRow("two keys") << "Score desc, ID asc" << QStringList{"Carl", "dave", "bob", "alice", "Alice"};
        QTest::newRow("bracketed name") << "[Name] asc" << QStringList{"Alice", "alice", "bob", "Carl", "dave"};
        QTest::newRow("blanks around keys")
            << "  ID  ,  Name desc " << QStringList{"dave", "Carl", "Alice", "alice", "bob"};
    }
    void sort()
    {
        QFETCH(QString, expression);
        QFETCH(QStringList, names);
        RecordSet records = people();
        records.MoveNext();
        records.MoveNext();
        records.Sort(expression);
        QCOMPARE(columnTexts(records, 1), names);
        QCOMPARE(records.Fields(QStringLiteral("Name")).toText(), names.first());
        QCOMPARE(records.RecordCount(), 5);
    }

    void badSortExpression_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<int>("number");
        QTest::newRow("unknown column") << "Missing asc" << 3265;
        QTest::newRow("two directions") << "ID desc desc" << 3265;
        QTest::newRow("empty key at the end") << "ID, " << 5;
        QTest::newRow("direction alone") << "desc" << 3265;
    }
    void badSortExpression()
    {
        QFETCH(QString, expression);
        QFETCH(int, number);
        RecordSet records = people();
        const rt::RuntimeError error = raisedBy([&] { records.Sort(expression); });
        QCOMPARE(error.number(), number);
        QCOMPARE(columnTexts(records, 1), QStringList({"bob", "Alice", "alice", "Carl", "dave"}));
        if (number == 5)
            QVERIFY2(error.description().contains(expression), qPrintable(error.description()));
    }
};

QTEST_MAIN(RecordSetTest)
#include "tst_recordset.moc"
