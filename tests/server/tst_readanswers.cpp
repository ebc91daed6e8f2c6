// The read components' answers as the loaders read them back: column names,
// positions and types, row order, the empty answer, the language columns,
// and the strict reading of the decimal arguments.
#include "TempStore.h"
#include "components/AnswerColumns.h"
#include "data/Rowset.h"
#include "server/ReadComponents.h"

#include <QTest>

namespace {

enum Read { Settings, Partitions, Configuration, NodeTypes, NodeMaxima };

QString answer(const testing::TempStore &fixture, int read)
{
    switch (read) {
    case Settings: return fixture.create<QRVdb::CONFIG>()->Get_Partition_Settings_XML("1", "1");
    case Partitions: return fixture.create<QRVdb::CONFIG>()->Get_Partitions_XML("1");
    case Configuration: return fixture.create<QRVdb::CONFIG>()->Get_Configuration_XML();
    case NodeTypes: return fixture.create<QRVdb::SR>()->Get_Node_Types_XML();
    default: return fixture.maximaReader()->Get_Node_Type_Max_XML("1", "1");
    }
}

// "Name:type" for every column, in position order.
QStringList layoutOf(const RecordSet &records)
{
    QStringList columns;
    for (const FieldInfo &field : records.fields())
        columns << field.name + QLatin1Char(':') + field.dataType;
    return columns;
}

QList<qint64> integerColumn(RecordSet records, int position)
{
    QList<qint64> values;
    for (records.MoveFirst(); !records.isEOF(); records.MoveNext())
        values << records.Fields(position).asInteger();
    return values;
}

} // namespace

class ReadAnswersTest : public QObject
{
    Q_OBJECT

private slots:
    void columnLayout_data()
    {
        QTest::addColumn<int>("read");
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("partition settings")
            << int(Settings)
            << QStringList{"Config_ID:i2", "PartitionID:i2", "Name:string", "PartitionAccessCode:string",
                           "REMLanguage:string", "SelectLimit:string", "TimeLimit:i4", "Command:string",
                           "NoMSGRecorded:string", "TotalRecTime:i4", "TotalTimeOfMessagesRecorded:i4",
                           "TimeLeft:i4", "MSGNo:i2"};
        QTest::newRow("partition list") << int(Partitions)
                                        << QStringList{"Config_ID:i2", "PartitionID:i2", "Name:string"};
        QTest::newRow("configuration")
            << int(Configuration)
            << QStringList{"Config_Name:string", "Config_ID:i2", "Site_Name:string",
                           "Site_ID:i4", "System_Name:string", "System_ID:i4"};
        QTest::newRow("node types") << int(NodeTypes)
                                    << QStringList{"ID:i2", "Name:string", "Name_French:string"};
        QTest::newRow("node maxima")
            << int(NodeMaxima) << QStringList{"Config_ID:i2", "PartitionID:i2", "NodeType_ID:i2", "Max_Number:i2"};
    }
    void columnLayout()
    {
        QFETCH(int, read);
        QFETCH(QStringList, columns);
        testing::TempStore fixture;
        const RecordSet records = rowset::read(answer(fixture, read));
        QCOMPARE(layoutOf(records), columns);
        QVERIFY(records.RecordCount() > 0);
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const bool integer = !columns.at(i).endsWith(QLatin1String(":string"));
            QCOMPARE(records.Fields(int(i)).type(), integer ? Variant::Type::Integer : Variant::Type::Text);
        }
    }

    void partitionSettingsValues()
    {
        testing::TempStore fixture;
        RecordSet row = rowset::read(answer(fixture, Settings));
        QCOMPARE(row.RecordCount(), 1);
        namespace column = columns::settings;
        QCOMPARE(row.Fields(column::PartitionID.name).asInteger(), 1);
        QCOMPARE(row.Fields(column::Name.name).asText(), QStringLiteral("Sales"));
        QCOMPARE(row.Fields(column::REMLanguage.name).asText(), QStringLiteral("SPANISH"));
        QCOMPARE(row.Fields(column::TimeLimit.name).asInteger(), 125);
        QCOMPARE(row.Fields(column::Command.name).asText(), QStringLiteral("PLAY"));
        QCOMPARE(row.Fields(column::MSGNo.name).asInteger(), 3);
    }

    // A partition or configuration that is not there: the columns, no row.
    void missingPartitionAnswersNoRows()
    {
        testing::TempStore fixture;
        auto reader = fixture.create<QRVdb::CONFIG>();
        for (const auto &[config, partition] : {std::pair{"1", "77"}, std::pair{"9", "0"}}) {
            const RecordSet records = rowset::read(reader->Get_Partition_Settings_XML(config, partition));
            QVERIFY(records.isEOF());
            QCOMPARE(records.fields().size(), 13);
        }
    }

    void listsAreOrdered_data()
    {
        QTest::addColumn<int>("read");
        QTest::addColumn<int>("position");
        QTest::newRow("partitions by number") << int(Partitions) << columns::partitionList::PartitionID.position;
        QTest::newRow("node types by id") << int(NodeTypes) << columns::nodeTypes::ID.position;
        QTest::newRow("node maxima by node type") << int(NodeMaxima) << columns::nodeMaxima::NodeType_ID.position;
    }
    void listsAreOrdered()
    {
        QFETCH(int, read);
        QFETCH(int, position);
        testing::TempStore fixture;
        const QList<qint64> values = integerColumn(rowset::read(answer(fixture, read)), position);
        QVERIFY(values.size() > 1);
        QList<qint64> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(values, sorted);
    }

    void configurationInUseComesFirst()
    {
        testing::TempStore fixture;
        auto reader = fixture.create<QRVdb::CONFIG>();
        const int configId = columns::configuration::Config_ID.position;
        QCOMPARE(rowset::read(reader->Get_Configuration_XML()).Fields(configId).asInteger(), 1);
        fixture.store->setConfigurationInUse(2);
        const RecordSet records = rowset::read(reader->Get_Configuration_XML());
        QCOMPARE(records.Fields(configId).asInteger(), 2);
        QCOMPARE(records.RecordCount(), 2);
    }

    // Node type 14 in the columns that the language numbers 1 (English) and 2 (French) pick.
    void languageNumberPicksNameColumn()
    {
        testing::TempStore fixture;
        RecordSet types = rowset::read(answer(fixture, NodeTypes));
        while (!types.isEOF() && types.Fields(columns::nodeTypes::ID.position).asInteger() != 14)
            types.MoveNext();
        QVERIFY(!types.isEOF());
        QCOMPARE(types.Fields(columns::nodeTypes::Name.position).asText(), QStringLiteral("Conference"));
        QCOMPARE(types.Fields(columns::nodeTypes::Name_French.position).asText(), QStringLiteral("Conférence"));
    }

    void argumentsAreReadStrictly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("error");
        QTest::newRow("empty") << "" << int(rt::TypeMismatch);
        QTest::newRow("blank around") << " 1" << int(rt::TypeMismatch);
        QTest::newRow("fraction") << "1.5" << int(rt::TypeMismatch);
        QTest::newRow("plus sign") << "+1" << int(rt::TypeMismatch);
        QTest::newRow("partition entry") << "1 - Sales" << int(rt::TypeMismatch);
        QTest::newRow("beyond 16 bits") << "32768" << int(rt::Overflow);
        QTest::newRow("largest") << "32767" << 0;
        QTest::newRow("leading zero") << "01" << 0;
    }
    void argumentsAreReadStrictly()
    {
        QFETCH(QString, text);
        QFETCH(int, error);
        testing::TempStore fixture;
        auto reader = fixture.create<QRVdb::CONFIG>();
        const std::optional<rt::RuntimeError> raised =
            testing::errorOf([&] { reader->Get_Partition_Settings_XML("1", text); });
        QCOMPARE(raised ? raised->number() : 0, error);
        if (raised) {
            QCOMPARE(raised->source(), QStringLiteral("QRVdb.CONFIG"));
            QVERIFY2(raised->description().contains(QStringLiteral("partition number")),
                     qPrintable(raised->description()));
        }
    }
};

QTEST_MAIN(ReadAnswersTest)
#include "tst_readanswers.moc"
