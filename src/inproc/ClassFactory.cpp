// The class factory of Busyness_Rules.
#include "inproc/ClassFactory.h"

#include "inproc/HostApplication.h"
#include "inproc/RulesObject.h"
#include "registered/RegistryFallback.h"
#include "comkit/ServerState.h"

namespace inproc {

// The new object answers for the interface asked; when it has none, the
// caller's reference is never made and the object goes at once. Without an
// application that can show widgets there is no object: the answer is E_FAIL
// and a warning says why.
HRESULT ClassFactory::CreateInstance(IUnknown *outer, REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return com::guarded([&] {
        const QString missing = ensureApplication();
        if (!missing.isEmpty()) {
            qWarning("VEL_PART_SET: %s; CreateInstance answers E_FAIL", qPrintable(missing));
            return E_FAIL;
        }
        registered::useRegistryForMissingComponents();
        auto *rules = new RulesObject;
        const HRESULT answer = rules->QueryInterface(riid, object);
        rules->Release();
        return answer;
    });
}

HRESULT ClassFactory::LockServer(BOOL lock)
{
    com::lockServer(lock != 0);
    return S_OK;
}

} // namespace inproc
