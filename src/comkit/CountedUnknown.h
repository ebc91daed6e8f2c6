// The IUnknown half of the library's objects: they give out IUnknown and
// their own interfaces, count their references and delete themselves on the
// last Release. The library counts each object as alive from its
// construction to its destruction (what DllCanUnloadNow asks about).
#pragma once

#include "comkit/ServerState.h"
#include "comruntime/VEL_COM.h"

#include <atomic>

namespace com {

// Derived says in a static givesInterface() which identifiers, besides
// IUnknown's, name its interface.
template <class Derived, class Interface> class CountedUnknown : public Interface
{
public:
    CountedUnknown(const CountedUnknown &) = delete;
    CountedUnknown &operator=(const CountedUnknown &) = delete;

    HRESULT VEL_CALL QueryInterface(REFIID riid, void **object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (!sameGuid(riid, IID_IUnknown) && !Derived::givesInterface(riid))
            return E_NOINTERFACE;
        *object = static_cast<Interface *>(this);
        AddRef();
        return S_OK;
    }

    ULONG VEL_CALL AddRef() override { return ++m_references; }

    ULONG VEL_CALL Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete static_cast<Derived *>(this);
        return left;
    }

protected:
    CountedUnknown() { objectCreated(); }
    ~CountedUnknown() { objectDestroyed(); }

private:
    std::atomic<ULONG> m_references{1};
};

} // namespace com
