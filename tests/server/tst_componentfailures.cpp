// A store that fails: every operation of every component raises a run-time
// error with the component's ProgID as source, the application error number
// and a description that names the operation, the partition and the
// database's own message.
#include "TempStore.h"
#include "server/ReadComponents.h"
#include "server/ServerErrors.h"

#include <QSqlQuery>
#include <QTest>

namespace {

using testing::TempStore;

// One operation on a store whose `table` is gone, the source it must name and
// the context its description gives.
struct Failure
{
    const char *operation, *source, *table, *context;
    void (*call)(const TempStore &);
};

const PartitionRecord Partition3 = {"1", "3", "n", "1234", "ENGLISH", "0", "0", "NOOP", "IGNORE", "0", "0", "0", "1"};
const NodeTypeMaxRow NodeType2In3 = {"1", "3", "2", "5"};
const char *const InPartition3 = "partition 3 of configuration 1";
const char *const NodeType2 = "node type 2 in partition 3 of configuration 1";

const Failure Failures[] = {
    {"Get_Partition_Settings_XML", QRVdb::CONFIG::ProgID, "Partitions", InPartition3,
     [](const TempStore &f) { f.create<QRVdb::CONFIG>()->Get_Partition_Settings_XML("1", "3"); }},
    {"Get_Partitions_XML", QRVdb::CONFIG::ProgID, "Partitions", "configuration 1",
     [](const TempStore &f) { f.create<QRVdb::CONFIG>()->Get_Partitions_XML("1"); }},
    {"Get_Configuration_XML", QRVdb::CONFIG::ProgID, "Configurations", "",
     [](const TempStore &f) { f.create<QRVdb::CONFIG>()->Get_Configuration_XML(); }},
    {"Get_Node_Types_XML", "QRVdb.SR", "NodeTypes", "",
     [](const TempStore &f) { f.create<QRVdb::SR>()->Get_Node_Types_XML(); }},
    {"Get_Node_Type_Max_XML", server::kNodeTypeMaxReaderSource, "NodeTypeMaxima", InPartition3,
     [](const TempStore &f) { f.maximaReader()->Get_Node_Type_Max_XML("1", "3"); }},
    {"Insert_Partition_Record", "QRVins.INSCONFIG", "Partitions", InPartition3,
     [](const TempStore &f) { f.create<QRVins::INSCONFIG>()->Insert_Partition_Record(Partition3); }},
    {"Update_Partition_Record", "QRVud.UDCONFIG", "Partitions", InPartition3,
     [](const TempStore &f) { f.create<QRVud::UDCONFIG>()->Update_Partition_Record(Partition3); }},
    {"Select_Partition", "QRVud.UDCONFIG", "SelectedPartition", "partition 3",
     [](const TempStore &f) { f.create<QRVud::UDCONFIG>()->Select_Partition("3"); }},
    {"Insert_Node_Type_Max_Record", "QRVins.INSNODES", "NodeTypeMaxima", NodeType2,
     [](const TempStore &f) { f.create<QRVins::INSNODES>()->Insert_Node_Type_Max_Record(NodeType2In3); }},
    {"Update_Node_Type_Max_Record", "QRVud.UDNODES", "NodeTypeMaxima", NodeType2,
     [](const TempStore &f) { f.create<QRVud::UDNODES>()->Update_Node_Type_Max_Record(NodeType2In3); }},
};

} // namespace

class ComponentFailuresTest : public QObject
{
    Q_OBJECT

private slots:
    void failingStoreRaisesWithProgId_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(Failures)); ++i)
            QTest::newRow(Failures[i].operation) << i;
    }
    void failingStoreRaisesWithProgId()
    {
        QFETCH(int, index);
        const Failure &failure = Failures[index];
        TempStore fixture;
        QSqlQuery drop(fixture.store->database());
        QVERIFY(drop.exec(QStringLiteral("DROP TABLE ") + QLatin1String(failure.table)));
        const rt::RuntimeError raised = testing::raisedBy([&] { failure.call(fixture); });
        QCOMPARE(raised.number(), server::kDatabaseFailure);
        QCOMPARE(raised.source(), QLatin1String(failure.source));
        const QString description = raised.description();
        QVERIFY2(description.startsWith(QLatin1String(failure.operation)), qPrintable(description));
        QVERIFY2(description.contains(QLatin1String(failure.context)), qPrintable(description));
        QVERIFY2(description.contains(QLatin1String(failure.table), Qt::CaseInsensitive),
                 qPrintable(description)); // the database's message
    }

    void closedStoreRaisesWithProgId()
    {
        TempStore fixture;
        fixture.store->close();
        const rt::RuntimeError raised = testing::raisedBy([&] { Failures[1].call(fixture); });
        QCOMPARE(raised.number(), server::kDatabaseFailure);
        QCOMPARE(raised.source(), QStringLiteral("QRVdb.CONFIG"));
        QVERIFY2(raised.description().contains(QStringLiteral("closed")), qPrintable(raised.description()));
    }

    // Selecting a partition replaces the recorded one in two statements; when
    // the second fails, the first is undone.
    void failedWriteIsRolledBack()
    {
        TempStore fixture;
        auto updater = fixture.create<QRVud::UDCONFIG>();
        updater->Select_Partition("12");
        QSqlQuery trigger(fixture.store->database());
        QVERIFY(trigger.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON SelectedPartition"
                                            " BEGIN SELECT RAISE(ABORT, 'selection refused'); END")));
        const rt::RuntimeError raised = testing::raisedBy([&] { updater->Select_Partition("3"); });
        QVERIFY2(raised.description().contains(QStringLiteral("selection refused")), qPrintable(raised.description()));
        QCOMPARE(fixture.store->selectedPartition(), std::optional<qint16>(12));
    }
};

QTEST_MAIN(ComponentFailuresTest)
#include "tst_componentfailures.moc"
