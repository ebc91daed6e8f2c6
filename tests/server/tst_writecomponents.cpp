// The write components through their ProgIDs: inserts and updates as the
// rules object sends them, what happens to rows that are there or missing,
// names with markup and accented letters, and the partition selection.
#include "TempStore.h"
#include "components/AnswerColumns.h"
#include "data/Rowset.h"
#include "server/ServerErrors.h"

#include <QTest>

namespace {

using testing::TempStore;

PartitionRecord partition(const QString &number)
{
    return {"1", number, "Lab", "4321", "FRENCH", "7", "125", "PLAY", "DISCONNECT", "600", "0", "0", "2"};
}

// The partition of `number` with one value replaced.
PartitionRecord partition(const QString &number, QString PartitionRecord::*field, const QString &text)
{
    PartitionRecord p = partition(number);
    p.*field = text;
    return p;
}

// The thirteen texts in the order the settings answer holds them.
QStringList texts(const PartitionRecord &p)
{
    return {p.Config_ID,     p.PartitionID,  p.Name,         p.PartitionAccessCode,
            p.REMLanguage,   p.SelectLimit,  p.TimeLimit,    p.Command,
            p.NoMSGRecorded, p.TotalRecTime, p.TotalTimeOfMessagesRecorded,
            p.TimeLeft,      p.MSGNo};
}

// The stored row of partition `number` as texts ("<null>" for a null); none
// when there is no such row.
QStringList stored(const TempStore &fixture, const QString &number)
{
    RecordSet row = rowset::read(fixture.create<QRVdb::CONFIG>()->Get_Partition_Settings_XML("1", number));
    QStringList values;
    for (int i = 0; !row.isEOF() && i < row.fields().size(); ++i)
        values << (row.Fields(i).isNull() ? QStringLiteral("<null>") : row.Fields(i).toText());
    return values;
}

// Maximum of a node type in partition `number` of configuration 1; -1 for none.
qint64 maximum(const TempStore &fixture, const QString &number, qint64 nodeType)
{
    RecordSet rows = rowset::read(fixture.maximaReader()->Get_Node_Type_Max_XML("1", number));
    for (; !rows.isEOF(); rows.MoveNext())
        if (rows.Fields(columns::nodeMaxima::NodeType_ID.position).asInteger() == nodeType)
            return rows.Fields(columns::nodeMaxima::Max_Number.position).asInteger();
    return -1;
}

void writeNode(const TempStore &fixture, bool asUpdate, const QString &partition, const QString &type,
               const QString &max)
{
    if (asUpdate)
        fixture.create<QRVud::UDNODES>()->Update_Node_Type_Max_Record({"1", partition, type, max});
    else
        fixture.create<QRVins::INSNODES>()->Insert_Node_Type_Max_Record({"1", partition, type, max});
}

} // namespace

class WriteComponentsTest : public QObject
{
    Q_OBJECT

private slots:
    void insertedPartitionReadsBack()
    {
        TempStore fixture;
        fixture.create<QRVins::INSCONFIG>()->Insert_Partition_Record(partition("40"));
        QCOMPARE(stored(fixture, "40"), texts(partition("40")));
    }

    void insertOfExistingPartitionFailsAndKeepsIt()
    {
        TempStore fixture;
        const QStringList before = stored(fixture, "1");
        const rt::RuntimeError raised =
            testing::raisedBy([&] { fixture.create<QRVins::INSCONFIG>()->Insert_Partition_Record(partition("1")); });
        QCOMPARE(raised.number(), server::kRecordExists);
        QCOMPARE(raised.source(), QStringLiteral("QRVins.INSCONFIG"));
        QVERIFY2(raised.description().contains(QStringLiteral("partition 1 of configuration 1 already exists")),
                 qPrintable(raised.description()));
        QCOMPARE(stored(fixture, "1"), before);
    }

    // A save without a message number; partition 3 is not touched.
    void updateChangesPartition_data()
    {
        QTest::addColumn<QString>("number");
        QTest::newRow("existing partition") << "2";
        QTest::newRow("missing partition is stored") << "300";
    }
    void updateChangesPartition()
    {
        QFETCH(QString, number);
        TempStore fixture;
        const QStringList other = stored(fixture, "3");
        fixture.create<QRVud::UDCONFIG>()->Update_Partition_Record(partition(number, &PartitionRecord::MSGNo, ""));
        QCOMPARE(stored(fixture, number), texts(partition(number, &PartitionRecord::MSGNo, "<null>")));
        QCOMPARE(stored(fixture, "3"), other);
    }

    void nameIsStoredUnchanged_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("quotes ampersand brackets accents") << QStringLiteral("Réception \"Nord\" & <Sud>");
        QTest::newRow("markup") << QStringLiteral("<row Name='x'/> &amp; &#x27;");
        QTest::newRow("non-latin letters") << QStringLiteral("Приём 受付 Ωmega");
        QTest::newRow("sql text") << QStringLiteral("x'); DROP TABLE Partitions; --");
    }
    void nameIsStoredUnchanged()
    {
        QFETCH(QString, name);
        TempStore fixture;
        fixture.create<QRVins::INSCONFIG>()->Insert_Partition_Record(partition("5", &PartitionRecord::Name, name));
        QCOMPARE(stored(fixture, "5").value(columns::settings::Name.position), name);
        fixture.create<QRVud::UDCONFIG>()->Update_Partition_Record(partition("6", &PartitionRecord::Name, name));
        QCOMPARE(stored(fixture, "6").value(columns::settings::Name.position), name);
        RecordSet list = rowset::read(fixture.create<QRVdb::CONFIG>()->Get_Partitions_XML("1"));
        while (!list.isEOF() && list.Fields(columns::partitionList::PartitionID.position).asInteger() != 6)
            list.MoveNext();
        QVERIFY(!list.isEOF());
        QCOMPARE(list.Fields(columns::partitionList::Name.position).asText(), name);
    }

    void nodeMaximumWrites_data()
    {
        QTest::addColumn<bool>("asUpdate");
        QTest::addColumn<QString>("partition");
        QTest::addColumn<int>("expected");
        // Partition 1 holds 40 of node type 1; partition 2 holds no maxima.
        QTest::newRow("insert new row") << false << "2" << 77;
        QTest::newRow("insert existing keeps stored") << false << "1" << 40;
        QTest::newRow("update existing") << true << "1" << 77;
        QTest::newRow("update missing stores") << true << "2" << 77;
    }
    void nodeMaximumWrites()
    {
        QFETCH(bool, asUpdate);
        QFETCH(QString, partition);
        QFETCH(int, expected);
        TempStore fixture;
        writeNode(fixture, asUpdate, partition, "1", "77");
        QCOMPARE(maximum(fixture, partition, 1), qint64(expected));
    }

    void missingRecord_data()
    {
        QTest::addColumn<bool>("asUpdate");
        QTest::addColumn<QString>("partition");
        QTest::addColumn<QString>("nodeType"); // empty: a partition insert
        QTest::addColumn<QString>("expected");
        QTest::newRow("partition into missing configuration") << false << "1" << "" << "configuration 9 does not exist";
        QTest::newRow("node maximum into missing partition")
            << false << "88" << "1" << "partition 88 of configuration 1 does not exist";
        QTest::newRow("node maximum in missing partition")
            << true << "88" << "1" << "partition 88 of configuration 1 does not exist";
        QTest::newRow("unknown node type") << true << "1" << "77" << "node type 77 is not in the node type list";
    }
    void missingRecord()
    {
        QFETCH(bool, asUpdate);
        QFETCH(QString, partition);
        QFETCH(QString, nodeType);
        QFETCH(QString, expected);
        TempStore fixture;
        const rt::RuntimeError raised = testing::raisedBy([&] {
            if (nodeType.isEmpty())
                fixture.create<QRVins::INSCONFIG>()->Insert_Partition_Record(
                    ::partition(partition, &PartitionRecord::Config_ID, "9"));
            else
                writeNode(fixture, asUpdate, partition, nodeType, "5");
        });
        QCOMPARE(raised.number(), server::kRecordMissing);
        QCOMPARE(raised.source(), QString::fromLatin1(nodeType.isEmpty() ? "QRVins.INSCONFIG"
                                                      : asUpdate          ? "QRVud.UDNODES"
                                                                          : "QRVins.INSNODES"));
        QVERIFY2(raised.description().contains(expected), qPrintable(raised.description()));
    }

    void badNumberIsRefusedBeforeWriting_data()
    {
        QTest::addColumn<PartitionRecord>("sent");
        QTest::addColumn<QString>("named");
        QTest::newRow("time limit in minutes") << partition("41", &PartitionRecord::TimeLimit, "2:05") << "time limit";
        QTest::newRow("negative recording time")
            << partition("41", &PartitionRecord::TotalRecTime, "-1") << "total recording time";
        QTest::newRow("message number word") << partition("41", &PartitionRecord::MSGNo, "MSG 1") << "message number";
        QTest::newRow("negative partition") << partition("41", &PartitionRecord::PartitionID, "-3")
                                            << "partition number";
    }
    void badNumberIsRefusedBeforeWriting()
    {
        QFETCH(PartitionRecord, sent);
        QFETCH(QString, named);
        TempStore fixture;
        const rt::RuntimeError raised =
            testing::raisedBy([&] { fixture.create<QRVud::UDCONFIG>()->Update_Partition_Record(sent); });
        QVERIFY(raised.number() == rt::TypeMismatch || raised.number() == rt::Overflow);
        QCOMPARE(raised.source(), QStringLiteral("QRVud.UDCONFIG"));
        QVERIFY2(raised.description().contains(named), qPrintable(raised.description()));
        QCOMPARE(stored(fixture, "41"), QStringList());
    }

    void selectPartitionRecordsIt()
    {
        TempStore fixture;
        QVERIFY(!fixture.store->selectedPartition());
        auto updater = fixture.create<QRVud::UDCONFIG>();
        updater->Select_Partition("12");
        updater->Select_Partition("3");
        QCOMPARE(fixture.store->selectedPartition(), std::optional<qint16>(3));
    }
};

QTEST_MAIN(WriteComponentsTest)
#include "tst_writecomponents.moc"
