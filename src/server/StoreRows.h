// The rows the reference store keeps, as plain values: a configuration, a
// partition's settings (the values of a PartitionRecord), a node type, one
// node maximum (the values of a NodeTypeMaxRow) and one entry of the change
// history.
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace server {

struct ConfigurationRow
{
    qint16 configId = 0;
    QString name;
    QString siteName;
    qint32 siteId = 0;
    QString systemName;
    qint32 systemId = 0;
};

// One partition's settings; times in whole seconds. The message number may be
// absent (a save without one).
struct PartitionRow
{
    qint16 configId = 0;
    qint16 partitionId = 0;
    QString name;
    QString accessCode;
    QString remLanguage;
    QString selectLimit;
    qint32 timeLimit = 0;
    QString command;
    QString noMsgRecorded;
    qint32 totalRecTime = 0;
    qint32 totalTimeOfMessagesRecorded = 0;
    qint32 timeLeft = 0;
    std::optional<qint16> msgNo;
};

struct NodeTypeRow
{
    qint16 id = 0;
    QString english;
    QString french;
};

struct NodeMaxRow
{
    qint16 configId = 0;
    qint16 partitionId = 0;
    qint16 nodeTypeId = 0;
    qint16 maxNumber = 0;
};

// One value changed by one write: when (UTC, ISO 8601), by which operating
// system user on which machine, in which partition, what ("Name", "Node type 5
// maximum") and from what to what. A value that was not there is null.
struct ChangeRow
{
    QString changedAt;
    QString user;
    QString host;
    qint16 configId = 0;
    qint16 partitionId = 0;
    QString item;
    QString oldValue;
    QString newValue;
};

} // namespace server
