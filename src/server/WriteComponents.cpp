// Writes of the reference components: strict arguments, texts an answer can
// carry, one store transaction.
#include "server/WriteComponents.h"

#include "server/Arguments.h"
#include "server/ServerErrors.h"

namespace server {

namespace {

PartitionRow readPartition(const ArgumentReader &args, const PartitionRecord &in)
{
    PartitionRow row;
    row.configId = args.integer(QStringLiteral("configuration identifier"), in.Config_ID);
    row.partitionId = args.count(QStringLiteral("partition number"), in.PartitionID);
    row.name = args.text(QStringLiteral("partition name"), in.Name);
    row.accessCode = args.text(QStringLiteral("access code"), in.PartitionAccessCode);
    row.remLanguage = args.text(QStringLiteral("remote language"), in.REMLanguage);
    row.selectLimit = args.text(QStringLiteral("selection limit"), in.SelectLimit);
    row.timeLimit = args.seconds(QStringLiteral("time limit"), in.TimeLimit);
    row.command = args.text(QStringLiteral("command"), in.Command);
    row.noMsgRecorded = args.text(QStringLiteral("action when no message was recorded"), in.NoMSGRecorded);
    row.totalRecTime = args.seconds(QStringLiteral("total recording time"), in.TotalRecTime);
    row.totalTimeOfMessagesRecorded =
        args.seconds(QStringLiteral("total time of messages recorded"), in.TotalTimeOfMessagesRecorded);
    row.timeLeft = args.seconds(QStringLiteral("time left"), in.TimeLeft);
    row.msgNo = args.optionalCount(QStringLiteral("message number"), in.MSGNo);
    return row;
}

NodeMaxRow readNodeMax(const ArgumentReader &args, const NodeTypeMaxRow &in)
{
    return {args.integer(QStringLiteral("configuration identifier"), in.Config_ID),
            args.count(QStringLiteral("partition number"), in.PartitionID),
            args.integer(QStringLiteral("node type identifier"), in.NodeType_ID),
            args.count(QStringLiteral("maximum"), in.Max_Number)};
}

// Reads a partition's texts strictly, then runs the store's write under the
// component's error context.
template <typename Write>
void writePartition(const char *progId, const char *operation, const PartitionRecord &partition, Write write)
{
    const QString source = QString::fromLatin1(progId);
    const PartitionRow row = readPartition(ArgumentReader(source, QLatin1String(operation)), partition);
    asComponent(source, [&] { return partitionContext(operation, row.configId, row.partitionId); }, [&] { write(row); });
}

template <typename Write>
void writeNodeMax(const char *progId, const char *operation, const NodeTypeMaxRow &maximum, Write write)
{
    const QString source = QString::fromLatin1(progId);
    const NodeMaxRow row = readNodeMax(ArgumentReader(source, QLatin1String(operation)), maximum);
    asComponent(source, [&] { return nodeMaxContext(operation, row); }, [&] { write(row); });
}

} // namespace

void PartitionInserter::Insert_Partition_Record(const PartitionRecord &partition)
{
    writePartition(ProgID, "Insert_Partition_Record", partition,
                   [&](const PartitionRow &row) { m_store->insertPartition(row, ReferenceStore::Writer::Session); });
}

void NodeMaxInserter::Insert_Node_Type_Max_Record(const NodeTypeMaxRow &maximum)
{
    writeNodeMax(ProgID, "Insert_Node_Type_Max_Record", maximum,
                 [&](const NodeMaxRow &row) { m_store->insertNodeMax(row, ReferenceStore::Writer::Session); });
}

void PartitionUpdater::Update_Partition_Record(const PartitionRecord &partition)
{
    writePartition(ProgID, "Update_Partition_Record", partition,
                   [&](const PartitionRow &row) { m_store->savePartition(row, ReferenceStore::Writer::Session); });
}

void PartitionUpdater::Select_Partition(const QString &partition)
{
    const QString source = QString::fromLatin1(ProgID);
    const qint16 number = ArgumentReader(source, QStringLiteral("Select_Partition"))
                              .integer(QStringLiteral("partition number"), partition);
    asComponent(source, QStringLiteral("Select_Partition for partition %1").arg(number),
                [&] { m_store->selectPartition(number); });
}

void NodeMaxUpdater::Update_Node_Type_Max_Record(const NodeTypeMaxRow &maximum)
{
    writeNodeMax(ProgID, "Update_Node_Type_Max_Record", maximum,
                 [&](const NodeMaxRow &row) { m_store->saveNodeMax(row, ReferenceStore::Writer::Session); });
}

} // namespace server
