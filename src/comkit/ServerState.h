// What keeps the library loaded: its live objects (class factories and
// rules objects) and the server locks of IClassFactory::LockServer. The
// library may be unloaded when both counts are zero.
#pragma once

#include "comruntime/VEL_COM.h"

#include <QtGlobal>
#include <new>

namespace com {

void objectCreated();
void objectDestroyed();
void lockServer(bool lock);
bool canUnload();

// True when both identifiers are the same 16 bytes.
bool sameGuid(REFGUID a, REFGUID b);

// Runs one call of the interface: its answer, or the result code of an
// exception, which never crosses the boundary.
template <typename Body> HRESULT guarded(Body body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc &) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

} // namespace com
