// The one store behind the library's objects: opened when the first object
// that needs it is made, shared by every object made while it lives, and
// closed when the last of them goes. QRV_SERVER_STORE names it (a SQLite
// file or a postgresql:// URI); else it is the sample store in the data
// folder, made and seeded on first use.
#pragma once

#include "server/ReferenceStore.h"

#include <memory>

namespace servercom {

// Throws rt::RuntimeError (error 429, with the store's reason) when the store
// cannot be opened.
std::shared_ptr<server::ReferenceStore> libraryStore();

} // namespace servercom
