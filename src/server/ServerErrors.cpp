// The descriptions of the reference components' errors.
#include "server/ServerErrors.h"

namespace server {

rt::RuntimeError componentError(qint32 number, const QString &progId, const QString &context, const QString &reason)
{
    return rt::RuntimeError(number, progId, context + QStringLiteral(": ") + reason);
}

QString partitionText(qint16 configId, qint16 partitionId)
{
    return QStringLiteral("partition %1 of configuration %2").arg(partitionId).arg(configId);
}

QString partitionContext(const char *operation, qint16 configId, qint16 partitionId)
{
    return QLatin1String(operation) + QStringLiteral(" for ") + partitionText(configId, partitionId);
}

QString nodeMaxContext(const char *operation, const NodeMaxRow &row)
{
    return QStringLiteral("%1 for node type %2 in ").arg(QLatin1String(operation)).arg(row.nodeTypeId)
           + partitionText(row.configId, row.partitionId);
}

QString changedByOthersText(qint16 partitionId)
{
    return QStringLiteral("Partition %1 was changed by another user after you opened it. Your changes were not saved."
                          " To see theirs, move to another partition and answer No, or close and open it again.")
        .arg(partitionId);
}

} // namespace server
