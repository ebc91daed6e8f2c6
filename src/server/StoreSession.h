// One administrator's session on a reference store: the revisions of the
// partitions it loaded. A store's components work in the session that was
// entered last (ReferenceStore::enter), else in the store's own, so that two
// rules objects sharing one store connection never share what they loaded.
#pragma once

#include "server/LoadedRevisions.h"

namespace server {

struct StoreSession
{
    LoadedRevisions loaded;
};

} // namespace server
