// The classes the server library serves: for each, its identity as the
// registry names it and how its objects are made.
#pragma once

#include "comkit/ClassRegistration.h"
#include "servercom/QRV_SERVER.h"

#include <span>

namespace servercom {

struct ServerClass
{
    const GUID *classId;
    const char *name;
    const char *progId; // null: made by its class identifier only
    HRESULT (*create)(REFIID riid, void **object);

    com::RegisteredClass registered() const;
};

std::span<const ServerClass> serverClasses();

// Null when the library serves no such class.
const ServerClass *findServerClass(REFCLSID classId);

} // namespace servercom
