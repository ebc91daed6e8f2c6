// RecordSet: sorting, walked with the cursor and fields by name and position,
// and the error numbers of misuse.
#include "RaisedErrors.h"
#include "rowset/RecordSet.h"

#include <QTest>

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

// The name in the current row; then, after "/", the names walked with the
// cursor from the first row, and the record count.
QString names(RecordSet &records)
{
    QString names = records.Fields(QStringLiteral("nAME")).toText() + u'/';
    records.MoveFirst();
    for (int n = 0; n < 9 && !records.isEOF(); ++n, records.MoveNext())
        names += records.Fields(1).toText() + u' ';
    return names + QString::number(records.RecordCount());
}

using Operation = std::function<void(RecordSet &)>;

// The error that each operation raises on a fresh people() brought into a
// state first: its number, with the description for the first error and for
// one that differs from the first; 0 when it raises none.
QString refusals(const Operation &state, std::initializer_list<Operation> operations)
{
    QStringList errors;
    for (const Operation &operation : operations) {
        const auto error = testing::errorOf([&] {
            RecordSet records = people();
            state(records);
            operation(records);
        });
        const QString number = QString::number(error ? error->number() : 0);
        const bool describe = errors.isEmpty() || !errors.first().startsWith(number);
        errors << (describe && error ? number + u' ' + error->description() : number);
    }
    return errors.join(u' ');
}

} // namespace

class RecordSetTest : public QObject
{
    Q_OBJECT

private slots:
    // Every operation of a closed record set is refused; so is moving or
    // reading at EOF, an unknown column and a row of the wrong width.
    void misuse()
    {
        QVERIFY(!RecordSet().isOpen());
        QCOMPARE(refusals([](RecordSet &r) { r.Close(); },
                          {[](RecordSet &r) { r.isEOF(); }, [](RecordSet &r) { r.MoveFirst(); },
                           [](RecordSet &r) { r.MoveNext(); }, [](RecordSet &r) { r.Fields("ID"); },
                           [](RecordSet &r) { r.Fields(0); }, [](RecordSet &r) { r.Sort("ID"); },
                           [](RecordSet &r) { r.RecordCount(); }, [](RecordSet &r) { r.Close(); },
                           [](RecordSet &r) { r.addRow({}); }}),
                 QStringLiteral("3704 Operation is not allowed when the object is closed. "
                                "3704 3704 3704 3704 3704 3704 3704 3704"));
        const Operation toEnd = [](RecordSet &r) { for (int n = 0; n < 5; ++n) r.MoveNext(); }; // at EOF
        QCOMPARE(refusals(toEnd, {[](RecordSet &r) { r.MoveNext(); }, [](RecordSet &r) { r.Fields(1); }}),
                 QStringLiteral("3021 Either BOF or EOF is True, or the current record has been deleted. Requested "
                                "operation requires a current record. 3021"));
        QCOMPARE(refusals([](RecordSet &) {},
                          {[](RecordSet &r) { r.Fields("Nope"); }, [](RecordSet &r) { r.Fields(4); },
                           [](RecordSet &r) { r.Fields(-1); }, [](RecordSet &r) { r.addRow({i(1)}); }}),
                 QStringLiteral("3265 Item cannot be found in the collection corresponding to the requested name or "
                                "ordinal. 3265 3265 5 A row of 1 values cannot be added to a record set of 4 "
                                "columns."));
    }

    // Sorting from the second row: the cursor back on the first row, and the order.
    void sort_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nulls first, equal keys keep their order") << "ID" << "dave/dave Alice Carl alice bob 5";
        QTest::newRow("descending, any case") << "id DESC" << "bob/bob alice Alice Carl dave 5";
        QTest::newRow("numbers of both kinds") << "Code asc" << "Carl/Carl dave Alice bob alice 5";
        QTest::newRow("dates, text without case, binary") << "Any" << "alice/alice bob dave Alice Carl 5";
        QTest::newRow("second key, brackets, blanks") << " [Name] , ID desc " << "alice/alice Alice bob Carl dave 5";
        QTest::newRow("blank expression") << "  " << "bob/bob Alice alice Carl dave 5";
        QTest::newRow("unknown column") << "Missing asc" << "error 3265";
        QTest::newRow("key without a column") << "ID, " << "error 5";
    }
    void sort()
    {
        QFETCH(QString, expression);
        QFETCH(QString, expected);
        RecordSet records = people();
        records.MoveNext();
        const int error = testing::errorNumberOf([&] { records.Sort(expression); });
        QCOMPARE(error ? QStringLiteral("error %1").arg(error) : names(records), expected);
    }
};

QTEST_MAIN(RecordSetTest)
#include "tst_recordset.moc"
