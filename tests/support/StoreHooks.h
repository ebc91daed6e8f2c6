// Store changes that only tests and benchmarks make, through the reference
// store's public surface: a node type id that repeats (the store's unique key
// on the ids dropped first), and a configuration filled with many partitions.
#pragma once

#include "server/ReferenceStore.h"

namespace testing {

// Drops the unique key on the node type ids, then adds the row (its id may be
// there already).
void addRepeatedNodeType(server::ReferenceStore &store, const server::NodeTypeRow &row);

// Makes configuration configId (created when missing) hold partitions 0 to
// count - 1, each created with plain settings unless it is there already; one
// transaction.
void seedPartitions(server::ReferenceStore &store, qint16 configId, int count);

} // namespace testing
