// The write components through their ProgIDs: inserts and updates as the
// rules object sends them, what happens to rows that are there or missing,
// names with markup and accented letters, and the partition selection.
#include "TempStore.h"
#include "TestRegistry.h"
#include "data/Rowset.h"
#include "server/ServerErrors.h"

#include <QTest>

namespace {

// The thirteen texts of a partition row, in the order the components take them.
struct Partition
{
    QString config = QStringLiteral("1"), number, name = QStringLiteral("Lab"), code = QStringLiteral("4321"),
            language = QStringLiteral("FRENCH"), selectLimit = QStringLiteral("7"), timeLimit = QStringLiteral("125"),
            command = QStringLiteral("PLAY"), noMsg = QStringLiteral("DISCONNECT"),
            recTime = QStringLiteral("600"), recorded = QStringLiteral("0"), left = QStringLiteral("0"),
            msgNo = QStringLiteral("2");
};

void insert(const testing::TempStore &fixture, const Partition &p)
{
    fixture.create<QRVins::INSCONFIG>(QRVins::INSCONFIG::ProgID)
        ->Insert_Partition_Record(p.config, p.number, p.name, p.code, p.language, p.selectLimit, p.timeLimit,
                                  p.command, p.noMsg, p.recTime, p.recorded, p.left, p.msgNo);
}

void update(const testing::TempStore &fixture, const Partition &p)
{
    fixture.create<QRVud::UDCONFIG>(QRVud::UDCONFIG::ProgID)
        ->Update_Partition_Record(p.config, p.number, p.name, p.code, p.language, p.selectLimit, p.timeLimit,
                                  p.command, p.noMsg, p.recTime, p.recorded, p.left, p.msgNo);
}

RecordSet settings(const testing::TempStore &fixture, const QString &number)
{
    return rowset::read(
        fixture.create<QRVdb::CONFIG>(QRVdb::CONFIG::ProgID)->Get_Partition_Settings_XML("1", number));
}

// The stored row as the thirteen texts it was sent as (a null as "<null>").
QStringList texts(const RecordSet &row)
{
    QStringList values;
    for (int i = 0; i < row.fields().size(); ++i)
        values << (row.Fields(i).isNull() ? QStringLiteral("<null>") : row.Fields(i).toText());
    return values;
}

QStringList texts(const Partition &p)
{
    return {p.config, p.number, p.name, p.code, p.language, p.selectLimit, p.timeLimit,
            p.command, p.noMsg, p.recTime, p.recorded, p.left, p.msgNo};
}

// Node maxima of partition `number` of configuration 1: node type -> maximum.
QMap<qint64, qint64> maxima(const testing::TempStore &fixture, const QString &number)
{
    RecordSet rows = rowset::read(fixture.factory.createByClassId<NodeTypeMaxReader>(NodeTypeMaxReader::classId())
                                      ->Get_Node_Type_Max_XML("1", number));
    QMap<qint64, qint64> result;
    for (; !rows.isEOF(); rows.MoveNext())
        result.insert(rows.Fields(2).asInteger(), rows.Fields(3).asInteger());
    return result;
}

void insertNode(const testing::TempStore &fixture, const char *partition, const char *type, const char *max)
{
    fixture.create<QRVins::INSNODES>(QRVins::INSNODES::ProgID)->Insert_Node_Type_Max_Record("1", partition, type, max);
}

void updateNode(const testing::TempStore &fixture, const char *partition, const char *type, const char *max)
{
    fixture.create<QRVud::UDNODES>(QRVud::UDNODES::ProgID)->Update_Node_Type_Max_Record("1", partition, type, max);
}

} // namespace

class WriteComponentsTest : public QObject
{
    Q_OBJECT

private slots:
    void insertedPartitionReadsBack()
    {
        testing::TempStore fixture;
        Partition p;
        p.number = QStringLiteral("40");
        insert(fixture, p);
        QCOMPARE(texts(settings(fixture, "40")), texts(p));
    }

    void insertOfExistingPartitionFailsAndKeepsIt()
    {
        testing::TempStore fixture;
        const QStringList before = texts(settings(fixture, "1"));
        Partition p;
        p.number = QStringLiteral("1");
        const rt::RuntimeError raised = testing::raisedBy([&] { insert(fixture, p); });
        QCOMPARE(raised.number(), server::kRecordExists);
        QCOMPARE(raised.source(), QStringLiteral("QRVins.INSCONFIG"));
        QVERIFY2(raised.description().contains(QStringLiteral("partition 1 of configuration 1 already exists")),
                 qPrintable(raised.description()));
        QCOMPARE(texts(settings(fixture, "1")), before);
    }

    void updateChangesPartition_data()
    {
        QTest::addColumn<QString>("number");
        QTest::newRow("existing partition") << "2";
        QTest::newRow("missing partition is stored") << "300";
    }
    void updateChangesPartition()
    {
        QFETCH(QString, number);
        testing::TempStore fixture;
        Partition p;
        p.number = number;
        p.msgNo = QString(); // a save without a message number
        update(fixture, p);
        QStringList expected = texts(p);
        expected.last() = QStringLiteral("<null>");
        QCOMPARE(texts(settings(fixture, number)), expected);
    }

    void updateLeavesOtherPartitions()
    {
        testing::TempStore fixture;
        const QStringList before = texts(settings(fixture, "3"));
        Partition p;
        p.number = QStringLiteral("2");
        update(fixture, p);
        QCOMPARE(texts(settings(fixture, "3")), before);
    }

    void nameIsStoredUnchanged_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("quotes ampersand brackets accents") << QStringLiteral("Réception \"Nord\" & <Sud>");
        QTest::newRow("apostrophes") << QStringLiteral("O'Neil's 'desk'");
        QTest::newRow("markup") << QStringLiteral("<row Name='x'/> &amp; &#x27;");
        QTest::newRow("non-latin letters") << QStringLiteral("Приём 受付 Ωmega");
        QTest::newRow("sql text") << QStringLiteral("x'); DROP TABLE Partitions; --");
        QTest::newRow("empty") << QString();
    }
    void nameIsStoredUnchanged()
    {
        QFETCH(QString, name);
        testing::TempStore fixture;
        Partition p;
        p.number = QStringLiteral("5");
        p.name = name;
        insert(fixture, p);
        QCOMPARE(settings(fixture, "5").Fields("Name").asText(), name);
        p.number = QStringLiteral("6");
        update(fixture, p);
        QCOMPARE(settings(fixture, "6").Fields("Name").asText(), name);
        RecordSet list = rowset::read(fixture.create<QRVdb::CONFIG>(QRVdb::CONFIG::ProgID)->Get_Partitions_XML("1"));
        while (list.Fields(1).asInteger() != 6)
            list.MoveNext();
        QCOMPARE(list.Fields(2).asText(), name);
    }

    void sampleNameWithMarkupReadsBack()
    {
        testing::TempStore fixture;
        QCOMPARE(settings(fixture, "3").Fields("Name").asText(), QStringLiteral("Réception \"Nord\" & <Sud>"));
    }

    void nodeMaximumWrites_data()
    {
        QTest::addColumn<bool>("asUpdate");
        QTest::addColumn<QString>("partition");
        QTest::addColumn<int>("nodeType");
        QTest::addColumn<int>("expected");
        // Partition 1 holds 40 of node type 1; partition 2 holds no maxima.
        QTest::newRow("insert new row") << false << "2" << 1 << 77;
        QTest::newRow("insert existing keeps stored") << false << "1" << 1 << 40;
        QTest::newRow("update existing") << true << "1" << 1 << 77;
        QTest::newRow("update missing stores") << true << "2" << 1 << 77;
    }
    void nodeMaximumWrites()
    {
        QFETCH(bool, asUpdate);
        QFETCH(QString, partition);
        QFETCH(int, nodeType);
        QFETCH(int, expected);
        testing::TempStore fixture;
        const QByteArray part = partition.toLatin1(), type = QByteArray::number(nodeType);
        (asUpdate ? updateNode : insertNode)(fixture, part.constData(), type.constData(), "77");
        const QMap<qint64, qint64> stored = maxima(fixture, partition);
        QCOMPARE(stored.value(nodeType, -1), qint64(expected));
    }

    void nodeMaximumNeedsItsPartition_data()
    {
        QTest::addColumn<bool>("asUpdate");
        QTest::addColumn<QString>("partition");
        QTest::addColumn<QString>("nodeType");
        QTest::addColumn<QString>("expected");
        QTest::newRow("insert into missing partition") << false << "88" << "1" << "partition 88 of configuration 1 does not exist";
        QTest::newRow("update in missing partition") << true << "88" << "1" << "partition 88 of configuration 1 does not exist";
        QTest::newRow("unknown node type") << true << "1" << "77" << "node type 77 is not in the node type list";
    }
    void nodeMaximumNeedsItsPartition()
    {
        QFETCH(bool, asUpdate);
        QFETCH(QString, partition);
        QFETCH(QString, nodeType);
        QFETCH(QString, expected);
        testing::TempStore fixture;
        const QByteArray part = partition.toLatin1(), type = nodeType.toLatin1();
        const rt::RuntimeError raised = testing::raisedBy(
            [&] { (asUpdate ? updateNode : insertNode)(fixture, part.constData(), type.constData(), "5"); });
        QCOMPARE(raised.number(), server::kRecordMissing);
        QCOMPARE(raised.source(), QString::fromLatin1(asUpdate ? "QRVud.UDNODES" : "QRVins.INSNODES"));
        QVERIFY2(raised.description().contains(expected), qPrintable(raised.description()));
    }

    void insertIntoMissingConfigurationFails()
    {
        testing::TempStore fixture;
        Partition p;
        p.config = QStringLiteral("9");
        p.number = QStringLiteral("1");
        const rt::RuntimeError raised = testing::raisedBy([&] { insert(fixture, p); });
        QCOMPARE(raised.number(), server::kRecordMissing);
        QVERIFY2(raised.description().contains(QStringLiteral("configuration 9 does not exist")),
                 qPrintable(raised.description()));
    }

    void badNumberIsRefusedBeforeWriting_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("time limit in minutes") << 6 << "2:05" << "time limit";
        QTest::newRow("negative recording time") << 9 << "-1" << "total recording time";
        QTest::newRow("message number word") << 12 << "MSG 1" << "message number";
        QTest::newRow("negative partition") << 1 << "-3" << "partition number";
    }
    void badNumberIsRefusedBeforeWriting()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, named);
        testing::TempStore fixture;
        Partition p;
        p.number = QStringLiteral("41");
        QString *values[] = {&p.config, &p.number, &p.name, &p.code, &p.language, &p.selectLimit, &p.timeLimit,
                             &p.command, &p.noMsg, &p.recTime, &p.recorded, &p.left, &p.msgNo};
        *values[field] = text;
        const rt::RuntimeError raised = testing::raisedBy([&] { update(fixture, p); });
        QVERIFY(raised.number() == rt::TypeMismatch || raised.number() == rt::Overflow);
        QCOMPARE(raised.source(), QStringLiteral("QRVud.UDCONFIG"));
        QVERIFY2(raised.description().contains(named), qPrintable(raised.description()));
        QCOMPARE(settings(fixture, "41").RecordCount(), 0);
    }

    void selectPartitionRecordsIt()
    {
        testing::TempStore fixture;
        QVERIFY(!fixture.store->selectedPartition());
        auto updater = fixture.create<QRVud::UDCONFIG>(QRVud::UDCONFIG::ProgID);
        updater->Select_Partition("12");
        updater->Select_Partition("3");
        QCOMPARE(fixture.store->selectedPartition(), std::optional<qint16>(3));
    }
};

REGISTER_TEST(WriteComponentsTest)
#include "tst_writecomponents.moc"
