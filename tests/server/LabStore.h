// The configuration the store tests of this folder work on, in a store of
// their own: configuration 7 "Lab" in use, node types 1 to 20, and the
// partitions named, each called "Lab" with a maximum of 999 for every node
// type; written in one unit, so that each partition is at revision 1.
#pragma once

#include "server/ReferenceStore.h"

#include <initializer_list>

namespace testing {

void fillLab(server::ReferenceStore &store, std::initializer_list<qint16> partitions);

} // namespace testing
