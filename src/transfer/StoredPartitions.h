// What the store holds, read through the server components as the dialog
// reads it: the configurations, the node types, a configuration's partition
// numbers and each partition's settings and node maxima. Component failures
// are the components' run-time errors.
#pragma once

#include "components/ComponentFactory.h"
#include "components/ServerComponents.h"
#include "components/SingleUseComponents.h"
#include "transfer/PartitionFile.h"

#include <memory>

namespace transfer {

class StoredPartitions
{
public:
    explicit StoredPartitions(const ComponentFactory &factory);

    bool hasConfiguration(qint16 configId);
    // The node types' English names by id.
    const std::map<qint16, QString> &nodeTypeNames();
    QList<qint16> partitionNumbers(qint16 configId);
    // The partition's settings and maxima; nothing when it is not stored.
    std::optional<PartitionSettings> partition(qint16 configId, qint16 number);

private:
    std::unique_ptr<QRVdb::CONFIG> m_config;
    std::unique_ptr<QRVdb::SR> m_nodeTypes;
    std::unique_ptr<NodeTypeMaxReader> m_maxima;
    std::optional<std::map<qint16, QString>> m_names;
};

} // namespace transfer
