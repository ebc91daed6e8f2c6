// The class factory of Busyness_Rules.
#include "inproc/ClassFactory.h"

#include "inproc/HostApplication.h"
#include "inproc/RulesObject.h"
#include "inproc/ServerState.h"

namespace inproc {

ClassFactory::ClassFactory() { objectCreated(); }
ClassFactory::~ClassFactory() { objectDestroyed(); }

HRESULT ClassFactory::QueryInterface(REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!sameGuid(riid, IID_IUnknown) && !sameGuid(riid, IID_IClassFactory))
        return E_NOINTERFACE;
    *object = static_cast<IClassFactory *>(this);
    AddRef();
    return S_OK;
}

ULONG ClassFactory::AddRef() { return ++m_references; }

ULONG ClassFactory::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

// The new object answers for the interface asked; when it has none, the
// caller's reference is never made and the object goes at once.
HRESULT ClassFactory::CreateInstance(IUnknown *outer, REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    if (!widgetsPossible())
        return E_FAIL;
    return guarded([&] {
        auto *rules = new RulesObject;
        const HRESULT answer = rules->QueryInterface(riid, object);
        rules->Release();
        return answer;
    });
}

HRESULT ClassFactory::LockServer(BOOL lock)
{
    lockServer(lock != 0);
    return S_OK;
}

} // namespace inproc
