// The contents of a partition file: one configuration's partitions, each with
// its eleven settings (times in whole seconds, the message number possibly
// absent) and its node maxima by node type, the node type's name beside each
// for readers of the file.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace transfer {

struct NodeMaximum
{
    qint16 maximum = 0;
    QString name; // for readers; an import ignores it
};

struct PartitionSettings
{
    qint16 number = 0;
    QString Name;
    QString PartitionAccessCode;
    QString REMLanguage;
    QString SelectLimit;
    qint32 TimeLimit = 0;
    QString Command;
    QString NoMSGRecorded;
    qint32 TotalRecTime = 0;
    qint32 TotalTimeOfMessagesRecorded = 0;
    qint32 TimeLeft = 0;
    std::optional<qint16> MSGNo;
    std::map<qint16, NodeMaximum> maxima; // by node type id

    // One named field's value as the dry run and the history show it.
    QString field(const QString &name) const;
    // Takes one named field (or the node maxima) from another partition.
    void copyField(const QString &name, const PartitionSettings &from);
};

struct PartitionFile
{
    qint16 configuration = 0;
    QList<PartitionSettings> partitions; // by number when exported; in the file's order when read
};

// The eleven settings' names, in the order of a partition record, and the
// name of the node maxima taken as one field group.
const QStringList &settingNames();
inline const QString kNodeMaxima = QStringLiteral("NodeMaxima");

// The file format's identifier.
inline const QString kFormat = QStringLiteral("partition-settings/1");

} // namespace transfer
