// Partitions as files, and one partition's settings copied to others: the C++
// side of the host's --export, --import and --copy-settings. Everything goes
// through the components of the factory given: the reads, and the writes,
// which then meet the name check, the value refusals, the revision check and
// the change history as the dialog's do. A write is one unit of work: all of
// it, or (on any refusal or failure) nothing.
#pragma once

#include "components/ComponentFactory.h"
#include "transfer/PartitionFile.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

namespace transfer {

struct Outcome
{
    // Done: written (or, in a dry run, checked); Refused: the file or the
    // request is wrong and nothing was written; Failed: the store failed or
    // another administrator's save came first, and nothing was written.
    enum class Status { Done, NothingToChange, Refused, Failed };
    Status status = Status::Done;
    // The problems, the failure, or the changes ("partition 3: TimeLimit: 60 → 125").
    QStringList lines;
};

// The configuration's partitions (all, or those listed that are stored) as
// a partition file.
Outcome exportPartitions(const ComponentFactory &factory, qint16 configId, const std::optional<QList<qint16>> &only,
                         QByteArray &json);

// Checks the whole file first, then writes what differs from the store.
Outcome importPartitions(const ComponentFactory &factory, const QByteArray &json, bool dryRun);

// Gives each partition of `to` the settings of partition `from` (all, or the
// named fields; kNodeMaxima names the node maxima). The history says each
// value was copied from `from`.
Outcome copySettings(const ComponentFactory &factory, qint16 configId, qint16 from, const QList<qint16> &to,
                     const QStringList &fields, bool dryRun);

} // namespace transfer
