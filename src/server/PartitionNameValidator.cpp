// Partition-name check of the reference server.
#include "server/PartitionNameValidator.h"

namespace server {

bool PartitionNameValidator::CheckName(const QString &name)
{
    return !name.contains(QLatin1Char('"')) && !name.contains(QLatin1String("''"));
}

QString PartitionNameValidator::ConvertName(const QString &name) { return name; }

} // namespace server
