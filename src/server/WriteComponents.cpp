// Writes of the reference components: strict arguments, one store transaction.
#include "server/WriteComponents.h"

#include "server/Arguments.h"
#include "server/ServerErrors.h"

namespace server {

namespace {

// The thirteen partition values as one call sends them, in that order.
struct PartitionTexts
{
    const QString &configId, &partition, &name, &accessCode, &remLanguage, &selectLimit, &timeLimit,
        &command, &noMsgRecorded, &totalRecTime, &totalTimeOfMessagesRecorded, &timeLeft, &msgNo;
};

PartitionRow readPartition(const ArgumentReader &args, const PartitionTexts &in)
{
    PartitionRow row;
    row.configId = args.integer(QStringLiteral("configuration identifier"), in.configId);
    row.partitionId = args.count(QStringLiteral("partition number"), in.partition);
    row.name = in.name;
    row.accessCode = in.accessCode;
    row.remLanguage = in.remLanguage;
    row.selectLimit = in.selectLimit;
    row.timeLimit = args.seconds(QStringLiteral("time limit"), in.timeLimit);
    row.command = in.command;
    row.noMsgRecorded = in.noMsgRecorded;
    row.totalRecTime = args.seconds(QStringLiteral("total recording time"), in.totalRecTime);
    row.totalTimeOfMessagesRecorded =
        args.seconds(QStringLiteral("total time of messages recorded"), in.totalTimeOfMessagesRecorded);
    row.timeLeft = args.seconds(QStringLiteral("time left"), in.timeLeft);
    row.msgNo = args.optionalCount(QStringLiteral("message number"), in.msgNo);
    return row;
}

NodeMaxRow readNodeMax(const ArgumentReader &args, const QString &configId, const QString &partition,
                       const QString &nodeTypeId, const QString &maxNumber)
{
    return {args.integer(QStringLiteral("configuration identifier"), configId),
            args.count(QStringLiteral("partition number"), partition),
            args.integer(QStringLiteral("node type identifier"), nodeTypeId),
            args.count(QStringLiteral("maximum"), maxNumber)};
}

} // namespace

void PartitionInserter::Insert_Partition_Record(
    const QString &configId, const QString &partition, const QString &name, const QString &accessCode,
    const QString &remLanguage, const QString &selectLimit, const QString &timeLimit, const QString &command,
    const QString &noMsgRecorded, const QString &totalRecTime, const QString &totalTimeOfMessagesRecorded,
    const QString &timeLeft, const QString &msgNo)
{
    const QString source = QString::fromLatin1(ProgID);
    const PartitionRow row = readPartition(
        ArgumentReader(source, QStringLiteral("Insert_Partition_Record")),
        {configId, partition, name, accessCode, remLanguage, selectLimit, timeLimit, command, noMsgRecorded,
         totalRecTime, totalTimeOfMessagesRecorded, timeLeft, msgNo});
    asComponent(source, partitionContext("Insert_Partition_Record", row.configId, row.partitionId),
                [&] { m_store->insertPartition(row); });
}

void NodeMaxInserter::Insert_Node_Type_Max_Record(const QString &configId, const QString &partition,
                                                  const QString &nodeTypeId, const QString &maxNumber)
{
    const QString source = QString::fromLatin1(ProgID);
    const NodeMaxRow row = readNodeMax(ArgumentReader(source, QStringLiteral("Insert_Node_Type_Max_Record")),
                                       configId, partition, nodeTypeId, maxNumber);
    asComponent(source, nodeMaxContext("Insert_Node_Type_Max_Record", row), [&] { m_store->insertNodeMax(row); });
}

void PartitionUpdater::Update_Partition_Record(
    const QString &configId, const QString &partition, const QString &name, const QString &accessCode,
    const QString &remLanguage, const QString &selectLimit, const QString &timeLimit, const QString &command,
    const QString &noMsgRecorded, const QString &totalRecTime, const QString &totalTimeOfMessagesRecorded,
    const QString &timeLeft, const QString &msgNo)
{
    const QString source = QString::fromLatin1(ProgID);
    const PartitionRow row = readPartition(
        ArgumentReader(source, QStringLiteral("Update_Partition_Record")),
        {configId, partition, name, accessCode, remLanguage, selectLimit, timeLimit, command, noMsgRecorded,
         totalRecTime, totalTimeOfMessagesRecorded, timeLeft, msgNo});
    asComponent(source, partitionContext("Update_Partition_Record", row.configId, row.partitionId),
                [&] { m_store->savePartition(row); });
}

void PartitionUpdater::Select_Partition(const QString &partition)
{
    const QString source = QString::fromLatin1(ProgID);
    const qint16 number = ArgumentReader(source, QStringLiteral("Select_Partition"))
                              .integer(QStringLiteral("partition number"), partition);
    asComponent(source, QStringLiteral("Select_Partition for partition %1").arg(number),
                [&] { m_store->selectPartition(number); });
}

void NodeMaxUpdater::Update_Node_Type_Max_Record(const QString &configId, const QString &partition,
                                                 const QString &nodeTypeId, const QString &maxNumber)
{
    const QString source = QString::fromLatin1(ProgID);
    const NodeMaxRow row = readNodeMax(ArgumentReader(source, QStringLiteral("Update_Node_Type_Max_Record")),
                                       configId, partition, nodeTypeId, maxNumber);
    asComponent(source, nodeMaxContext("Update_Node_Type_Max_Record", row), [&] { m_store->saveNodeMax(row); });
}

} // namespace server
