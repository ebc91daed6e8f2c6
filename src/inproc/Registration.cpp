// Registration of Busyness_Rules under the classes root, by its class id and
// ProgID (comkit/ClassRegistration.h gives the keys).
#include "comkit/ClassRegistration.h"
#include "comkit/Guids.h"
#include "comkit/LibraryPath.h"
#include "comkit/ServerState.h"
#include "inproc/VEL_PART_SET.h"

namespace {

com::RegisteredClass rulesClass()
{
    return {com::toUuid(CLSID_Busyness_Rules), QStringLiteral("Busyness_Rules"), QStringLiteral(VEL_PART_SET_PROGID)};
}

} // namespace

VEL_ENTRY DllRegisterServer(void)
{
    return com::guarded([] {
        const QString path = com::libraryPath();
        return !path.isEmpty() && com::writeClassKeys(rulesClass(), path) ? S_OK : SELFREG_E_CLASS;
    });
}

VEL_ENTRY DllUnregisterServer(void)
{
    return com::guarded([] { return com::removeClassKeys(rulesClass()) ? S_OK : SELFREG_E_CLASS; });
}
