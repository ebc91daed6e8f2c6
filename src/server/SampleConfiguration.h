// The sample configuration a new store starts with, so that a new user has
// something to explore: two configurations, named partitions (one with
// quotes, an ampersand, angle brackets and accented letters), a bilingual
// node type list and node maxima for some partitions only.
#pragma once

namespace server {

class ReferenceStore;

void seedSampleConfiguration(ReferenceStore &store);

} // namespace server
