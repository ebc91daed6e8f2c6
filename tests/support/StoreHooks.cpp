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

// The numbers in one column of a store answer.
QSet<qint16> numbers(RecordSet rows, int position)
{
    QSet<qint16> found;
    for (; !rows.isEOF(); rows.MoveNext())
        found.insert(rt::toInteger(rows.Fields(position)));
    return found;
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
    store.inTransaction([&] {
        if (!numbers(store.configurations(), 1).contains(configId)) // position 1: Config_ID
            store.addConfiguration({configId, QStringLiteral("Configuration %1").arg(configId),
                                    QStringLiteral("Bench Site"), 900, QStringLiteral("Bench System"), 9000});
        const QSet<qint16> present = numbers(store.partitions(configId), 1); // position 1: PartitionID
        for (int id = 0; id < count; ++id)
            if (!present.contains(qint16(id)))
                store.insertPartition({configId, qint16(id), QStringLiteral("Partition %1").arg(id), "6093", "ENGLISH",
                                       "0", 0, "NOOP", "IGNORE", 0, 0, 0, qint16(1)});
    });
}

} // namespace testing
