// Test-only changes of the reference store.
#include "StoreHooks.h"

#include "core/Numbers.h"
#include "server/StoreSchema.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>

namespace testing {
namespace {

bool hasConfiguration(const server::ReferenceStore &store, qint16 configId)
{
    RecordSet list = store.configurations();
    for (; !list.isEOF(); list.MoveNext())
        if (rt::toInteger(list.Fields(QStringLiteral("Config_ID"))) == configId)
            return true;
    return false;
}

QSet<qint16> partitionIds(const server::ReferenceStore &store, qint16 configId)
{
    QSet<qint16> ids;
    RecordSet list = store.partitions(configId);
    for (; !list.isEOF(); list.MoveNext())
        ids.insert(rt::toInteger(list.Fields(QStringLiteral("PartitionID"))));
    return ids;
}

server::PartitionRow plainPartition(qint16 configId, qint16 partitionId)
{
    return {configId, partitionId,          QStringLiteral("Partition %1").arg(partitionId),
            QStringLiteral("6093"),         QStringLiteral("ENGLISH"),
            QStringLiteral("0"),            0,
            QStringLiteral("NOOP"),         QStringLiteral("IGNORE"),
            0,                              0,
            0,                              qint16(1)};
}

} // namespace

void addRepeatedNodeType(server::ReferenceStore &store, const server::NodeTypeRow &row)
{
    QSqlQuery drop(store.database());
    if (!drop.exec(QStringLiteral("DROP INDEX IF EXISTS %1").arg(QLatin1String(server::schema::kNodeTypeIdIndex))))
        throw std::runtime_error("cannot drop the node type key: " + drop.lastError().text().toStdString());
    store.addNodeTypeRow(row);
}

void seedPartitions(server::ReferenceStore &store, qint16 configId, int count)
{
    if (count < 0 || count > 32768)
        throw std::invalid_argument("0 to 32768 partitions fit in a configuration");
    store.inTransaction([&] {
        if (!hasConfiguration(store, configId))
            store.addConfiguration({configId, QStringLiteral("Configuration %1").arg(configId),
                                    QStringLiteral("Bench Site"), 900, QStringLiteral("Bench System"), 9000});
        const QSet<qint16> present = partitionIds(store, configId);
        for (int id = 0; id < count; ++id)
            if (!present.contains(qint16(id)))
                store.insertPartition(plainPartition(configId, qint16(id)));
    });
}

} // namespace testing
