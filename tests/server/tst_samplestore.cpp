// The reference store itself: the sample a new file starts with, reopening
// an existing file, the key on the node type ids, and stores side by side.
#include "StoreHooks.h"
#include "TempStore.h"
#include "components/AnswerColumns.h"
#include "server/ServerErrors.h"

#include <QSet>
#include <QTest>

namespace {

namespace setting = columns::settings;

QSet<qint64> column(RecordSet records, int position)
{
    QSet<qint64> values;
    for (records.MoveFirst(); !records.isEOF(); records.MoveNext())
        values.insert(records.Fields(position).asInteger());
    return values;
}

} // namespace

class SampleStoreTest : public QObject
{
    Q_OBJECT

private slots:
    // The node types the grid and the selection tests rely on, each named in
    // both languages, with MSG first; fewer than 20 below 813 so that the
    // grid holds them.
    void sampleNodeTypes()
    {
        testing::TempStore fixture;
        namespace type = columns::nodeTypes;
        const QSet<qint64> ids = column(fixture.store->nodeTypes(), type::ID.position);
        for (const qint64 id : {0, 5, 10, 14, 15, 16, 813, 900, 999})
            QVERIFY2(ids.contains(id), qPrintable(QString::number(id)));
        RecordSet types = fixture.store->nodeTypes();
        QCOMPARE(types.Fields(type::ID.position).asInteger(), qint64(0));
        QCOMPARE(types.Fields(type::Name.position).asText(), QStringLiteral("MSG"));
        int below813 = 0;
        for (; !types.isEOF(); types.MoveNext()) {
            below813 += types.Fields(type::ID.position).asInteger() < 813 ? 1 : 0;
            QVERIFY(!types.Fields(type::Name.position).asText().isEmpty());
            QVERIFY(!types.Fields(type::Name_French.position).asText().isEmpty());
        }
        QVERIFY(below813 > 10);
        QVERIFY(below813 < 20);
    }

    void samplePartitionNamesAndMaxima_data()
    {
        QTest::addColumn<int>("partition");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("stored");
        QTest::newRow("default partition") << 0 << "Default Partition" << true;
        QTest::newRow("Sales") << 1 << "Sales" << true;
        QTest::newRow("Support") << 2 << "Support" << false;
        QTest::newRow("name with markup") << 3 << "Réception \"Nord\" & <Sud>" << true;
    }
    void samplePartitionNamesAndMaxima()
    {
        QFETCH(int, partition);
        QFETCH(QString, name);
        QFETCH(bool, stored);
        testing::TempStore fixture;
        QCOMPARE(fixture.store->nodeMaxima(1, qint16(partition)).RecordCount() > 0, stored);
        QCOMPARE(fixture.store->partitionSettings(1, qint16(partition)).Fields(setting::Name.name).asText(), name);
    }

    void samplePartitionValuesAreListItems()
    {
        testing::TempStore fixture;
        const QStringList languages{"ENGLISH", "SPANISH", "FRENCH", "GERMAN", "PORTUGUESE"};
        for (qint16 config : {qint16(1), qint16(2)}) {
            RecordSet list = fixture.store->partitions(config);
            for (; !list.isEOF(); list.MoveNext()) {
                const qint64 number = list.Fields(columns::partitionList::PartitionID.position).asInteger();
                RecordSet row = fixture.store->partitionSettings(config, qint16(number));
                QVERIFY(languages.contains(row.Fields(setting::REMLanguage.name).asText()));
                QVERIFY(QStringList({"NOOP", "PLAY"}).contains(row.Fields(setting::Command.name).asText()));
                const QString noMessage = row.Fields(setting::NoMSGRecorded.name).asText();
                QVERIFY(QStringList({"IGNORE", "DISCONNECT", "PLAY"}).contains(noMessage));
                const int limit = row.Fields(setting::SelectLimit.name).asText().toInt();
                QVERIFY(limit >= 0 && limit <= 25);
                QVERIFY(row.Fields(setting::PartitionAccessCode.name).asText().size() >= 4);
                QVERIFY(row.Fields(setting::TimeLimit.name).asInteger() <= 30 * 60 + 59);
                QVERIFY(row.Fields(setting::TotalRecTime.name).asInteger() <= 360 * 60 + 59);
            }
        }
    }

    void reopeningKeepsDataAndDoesNotSeedAgain()
    {
        testing::TempStore fixture;
        fixture.store->selectPartition(4);
        fixture.store->savePartition({1, 77, "Kept", "1111", "ENGLISH", "0", 0, "NOOP", "IGNORE", 0, 0, 0, 1});
        const int partitions = fixture.store->partitions(1).RecordCount();
        fixture.store.reset();
        const auto reopened = server::ReferenceStore::openSqlite(fixture.path());
        QCOMPARE(reopened->partitions(1).RecordCount(), partitions);
        QCOMPARE(reopened->partitionSettings(1, 77).Fields(setting::Name.name).asText(), QStringLiteral("Kept"));
        QCOMPARE(reopened->selectedPartition(), std::optional<qint16>(4));
    }

    void schemaOnlyStoreIsEmpty()
    {
        testing::TempStore fixture(server::ReferenceStore::Seeding::SchemaOnly);
        QCOMPARE(fixture.store->nodeTypes().RecordCount(), 0);
        QCOMPARE(fixture.store->configurations().RecordCount(), 0);
    }

    void storesSideBySideStayApart()
    {
        testing::TempStore first;
        testing::TempStore second;
        testing::seedPartitions(*first.store, 1, 40);
        QCOMPARE(first.store->partitions(1).RecordCount(), 40);
        QVERIFY(second.store->partitions(1).RecordCount() < 40);
        QVERIFY(first.store->database().connectionName() != second.store->database().connectionName());
    }

    // The node type ids are the store's key: a repeated one is refused.
    void repeatedNodeTypeIdIsRefused()
    {
        testing::TempStore fixture;
        const int before = fixture.store->nodeTypes().RecordCount();
        bool failed = false;
        try {
            fixture.store->addNodeTypeRow({5, "Voice Port again", "Port vocal encore"});
        } catch (const server::StoreError &) {
            failed = true;
        }
        QVERIFY(failed);
        QCOMPARE(fixture.store->nodeTypes().RecordCount(), before);
    }
};

QTEST_MAIN(SampleStoreTest)
#include "tst_samplestore.moc"
