// A store that fails: every operation of every component raises a run-time
// error with the component's ProgID as source, the application error number
// and a description that names the operation, the partition and the
// database's own message.
#include "TempStore.h"
#include "TestRegistry.h"
#include "server/ReadComponents.h"
#include "server/ServerErrors.h"

#include <QSqlQuery>
#include <QTest>

namespace {

using Call = std::function<void(const testing::TempStore &)>;

Call call(const QString &name)
{
    static const QMap<QString, Call> calls = {
        {"Get_Partition_Settings_XML",
         [](const testing::TempStore &f) { f.create<QRVdb::CONFIG>(QRVdb::CONFIG::ProgID)->Get_Partition_Settings_XML("1", "3"); }},
        {"Get_Partitions_XML",
         [](const testing::TempStore &f) { f.create<QRVdb::CONFIG>(QRVdb::CONFIG::ProgID)->Get_Partitions_XML("1"); }},
        {"Get_Configuration_XML",
         [](const testing::TempStore &f) { f.create<QRVdb::CONFIG>(QRVdb::CONFIG::ProgID)->Get_Configuration_XML(); }},
        {"Get_Node_Types_XML",
         [](const testing::TempStore &f) { f.create<QRVdb::SR>(QRVdb::SR::ProgID)->Get_Node_Types_XML(); }},
        {"Get_Node_Type_Max_XML",
         [](const testing::TempStore &f) {
             f.factory.createByClassId<NodeTypeMaxReader>(NodeTypeMaxReader::classId())->Get_Node_Type_Max_XML("1", "3");
         }},
        {"Insert_Partition_Record",
         [](const testing::TempStore &f) {
             f.create<QRVins::INSCONFIG>(QRVins::INSCONFIG::ProgID)
                 ->Insert_Partition_Record("1", "3", "n", "1234", "ENGLISH", "0", "0", "NOOP", "IGNORE", "0", "0", "0", "1");
         }},
        {"Update_Partition_Record",
         [](const testing::TempStore &f) {
             f.create<QRVud::UDCONFIG>(QRVud::UDCONFIG::ProgID)
                 ->Update_Partition_Record("1", "3", "n", "1234", "ENGLISH", "0", "0", "NOOP", "IGNORE", "0", "0", "0", "1");
         }},
        {"Select_Partition",
         [](const testing::TempStore &f) { f.create<QRVud::UDCONFIG>(QRVud::UDCONFIG::ProgID)->Select_Partition("3"); }},
        {"Insert_Node_Type_Max_Record",
         [](const testing::TempStore &f) {
             f.create<QRVins::INSNODES>(QRVins::INSNODES::ProgID)->Insert_Node_Type_Max_Record("1", "3", "2", "5");
         }},
        {"Update_Node_Type_Max_Record",
         [](const testing::TempStore &f) {
             f.create<QRVud::UDNODES>(QRVud::UDNODES::ProgID)->Update_Node_Type_Max_Record("1", "3", "2", "5");
         }},
    };
    return calls.value(name);
}

} // namespace

class ComponentFailuresTest : public QObject
{
    Q_OBJECT

private slots:
    void failingStoreRaisesWithProgId_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("context");
        const QString config = QString::fromLatin1(QRVdb::CONFIG::ProgID);
        QTest::newRow("settings") << "Get_Partition_Settings_XML" << config << "Partitions" << "partition 3 of configuration 1";
        QTest::newRow("partition list") << "Get_Partitions_XML" << config << "Partitions" << "configuration 1";
        QTest::newRow("configuration") << "Get_Configuration_XML" << config << "Configurations" << "";
        QTest::newRow("node types") << "Get_Node_Types_XML" << "QRVdb.SR" << "NodeTypes" << "";
        QTest::newRow("node maxima") << "Get_Node_Type_Max_XML" << server::kNodeTypeMaxReaderSource
                                     << "NodeTypeMaxima" << "partition 3 of configuration 1";
        QTest::newRow("insert partition") << "Insert_Partition_Record" << "QRVins.INSCONFIG" << "Partitions"
                                          << "partition 3 of configuration 1";
        QTest::newRow("update partition") << "Update_Partition_Record" << "QRVud.UDCONFIG" << "Partitions"
                                          << "partition 3 of configuration 1";
        QTest::newRow("select partition") << "Select_Partition" << "QRVud.UDCONFIG" << "SelectedPartition"
                                          << "partition 3";
        QTest::newRow("insert node maximum") << "Insert_Node_Type_Max_Record" << "QRVins.INSNODES"
                                             << "NodeTypeMaxima" << "node type 2 in partition 3 of configuration 1";
        QTest::newRow("update node maximum") << "Update_Node_Type_Max_Record" << "QRVud.UDNODES"
                                             << "NodeTypeMaxima" << "node type 2 in partition 3 of configuration 1";
    }
    void failingStoreRaisesWithProgId()
    {
        QFETCH(QString, operation);
        QFETCH(QString, source);
        QFETCH(QString, table);
        QFETCH(QString, context);
        testing::TempStore fixture;
        QSqlQuery drop(fixture.store->database());
        QVERIFY(drop.exec(QStringLiteral("DROP TABLE ") + table));
        const rt::RuntimeError raised = testing::raisedBy([&] { call(operation)(fixture); });
        QCOMPARE(raised.number(), server::kDatabaseFailure);
        QCOMPARE(raised.source(), source);
        const QString description = raised.description();
        QVERIFY2(description.startsWith(operation), qPrintable(description));
        QVERIFY2(description.contains(context), qPrintable(description));
        QVERIFY2(description.contains(table, Qt::CaseInsensitive), qPrintable(description)); // the database's message
    }

    void closedStoreRaisesWithProgId()
    {
        testing::TempStore fixture;
        fixture.store->close();
        const rt::RuntimeError raised = testing::raisedBy([&] { call("Get_Partitions_XML")(fixture); });
        QCOMPARE(raised.number(), server::kDatabaseFailure);
        QCOMPARE(raised.source(), QStringLiteral("QRVdb.CONFIG"));
        QVERIFY2(raised.description().contains(QStringLiteral("closed")), qPrintable(raised.description()));
    }

    void failedWriteIsRolledBack()
    {
        // Selecting a partition replaces the recorded one in two statements;
        // when the second fails, the first is undone.
        testing::TempStore fixture;
        fixture.create<QRVud::UDCONFIG>(QRVud::UDCONFIG::ProgID)->Select_Partition("12");
        QSqlQuery trigger(fixture.store->database());
        QVERIFY(trigger.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON SelectedPartition"
                                            " BEGIN SELECT RAISE(ABORT, 'selection refused'); END")));
        const rt::RuntimeError raised = testing::raisedBy([&] { call("Select_Partition")(fixture); });
        QVERIFY2(raised.description().contains(QStringLiteral("selection refused")), qPrintable(raised.description()));
        QCOMPARE(fixture.store->selectedPartition(), std::optional<qint16>(12));
    }
};

REGISTER_TEST(ComponentFailuresTest)
#include "tst_componentfailures.moc"
