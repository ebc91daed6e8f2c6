// What the store holds, read through the server components as the dialog
// reads it: the configurations, the node types, a configuration's partition
// numbers and each partition's settings and node maxima. A whole
// configuration is read in two answers when the factory offers the reader of
// whole configurations, else partition by partition. Component failures are
// the components' run-time errors.
#pragma once

#include "components/ComponentFactory.h"
#include "components/ConfigurationReader.h"
#include "components/ServerComponents.h"
#include "components/SingleUseComponents.h"
#include "transfer/PartitionFile.h"

#include <QSet>
#include <memory>

namespace transfer {

class StoredPartitions
{
public:
    explicit StoredPartitions(const ComponentFactory &factory);

    bool hasConfiguration(qint16 configId);
    // The node types' English names by id.
    const std::map<qint16, QString> &nodeTypeNames();
    // The partition's settings and maxima; nothing when it is not stored.
    std::optional<PartitionSettings> partition(qint16 configId, qint16 number);
    // The stored partitions of the configuration by number: all of them, or
    // those of the given numbers. Each one asked for counts as loaded by the
    // session, stored or not (with the whole reader, every partition of the
    // configuration does).
    std::map<qint16, PartitionSettings> partitions(qint16 configId, const std::optional<QSet<qint16>> &only);

private:
    std::map<qint16, PartitionSettings> whole(qint16 configId);
    std::map<qint16, PartitionSettings> oneByOne(qint16 configId, const QList<qint16> &numbers);

    std::unique_ptr<QRVdb::CONFIG> m_config;
    std::unique_ptr<QRVdb::SR> m_nodeTypes;
    std::unique_ptr<NodeTypeMaxReader> m_maxima;
    std::unique_ptr<ConfigurationReader> m_whole; // none when the factory offers none
    std::optional<std::map<qint16, QString>> m_names;
};

} // namespace transfer
