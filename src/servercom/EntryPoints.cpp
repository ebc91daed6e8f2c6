// The library's four entry points: a class factory for each class of the
// table, whether the library may be unloaded, and the registration of every
// class (servercom/ServerClasses.h).
#include "comkit/ClassRegistration.h"
#include "comkit/CountedUnknown.h"
#include "comkit/LibraryPath.h"
#include "comkit/ServerState.h"
#include "servercom/ServerClasses.h"

namespace {

// Each CreateInstance makes a fresh object of its class; LockServer keeps
// the library loaded without one.
class ServerClassFactory final : public com::CountedUnknown<ServerClassFactory, IClassFactory>
{
public:
    explicit ServerClassFactory(const servercom::ServerClass &served) : m_served(served) {}
    static bool givesInterface(REFIID riid) { return com::sameGuid(riid, IID_IClassFactory); }

    HRESULT VEL_CALL CreateInstance(IUnknown *outer, REFIID riid, void **object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        return outer ? CLASS_E_NOAGGREGATION : m_served.create(riid, object);
    }
    HRESULT VEL_CALL LockServer(BOOL lock) override
    {
        com::lockServer(lock != 0);
        return S_OK;
    }

private:
    const servercom::ServerClass &m_served;
};

} // namespace

VEL_ENTRY DllGetClassObject(REFCLSID rclsid, REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    const servercom::ServerClass *served = servercom::findServerClass(rclsid);
    if (!served)
        return CLASS_E_CLASSNOTAVAILABLE;
    return com::guarded([&] {
        auto *factory = new ServerClassFactory(*served);
        const HRESULT answer = factory->QueryInterface(riid, object);
        factory->Release();
        return answer;
    });
}

VEL_ENTRY DllCanUnloadNow(void) { return com::canUnload() ? S_OK : S_FALSE; }

VEL_ENTRY DllRegisterServer(void)
{
    return com::guarded([] {
        const QString path = com::libraryPath();
        if (path.isEmpty())
            return SELFREG_E_CLASS;
        for (const servercom::ServerClass &each : servercom::serverClasses())
            if (!com::writeClassKeys(each.registered(), path))
                return SELFREG_E_CLASS;
        return S_OK;
    });
}

VEL_ENTRY DllUnregisterServer(void)
{
    return com::guarded([] {
        bool removed = true;
        for (const servercom::ServerClass &each : servercom::serverClasses())
            removed = com::removeClassKeys(each.registered()) && removed;
        return removed ? S_OK : SELFREG_E_CLASS;
    });
}
