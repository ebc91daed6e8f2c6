// The class-object entry points: the class factory of Busyness_Rules, and
// whether the library may be unloaded.
#include "inproc/VEL_PART_SET.h"
#include "inproc/ClassFactory.h"
#include "comkit/ServerState.h"

VEL_ENTRY DllGetClassObject(REFCLSID rclsid, REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!com::sameGuid(rclsid, CLSID_Busyness_Rules))
        return CLASS_E_CLASSNOTAVAILABLE;
    return com::guarded([&] {
        auto *factory = new inproc::ClassFactory;
        const HRESULT answer = factory->QueryInterface(riid, object);
        factory->Release();
        return answer;
    });
}

VEL_ENTRY DllCanUnloadNow(void) { return com::canUnload() ? S_OK : S_FALSE; }
