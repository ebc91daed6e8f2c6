// The class factory of Busyness_Rules.
#include "inproc/ClassFactory.h"

#include "inproc/HostApplication.h"
#include "inproc/RulesObject.h"
#include "inproc/ServerState.h"

namespace inproc {

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
