// The class factory of Busyness_Rules: each CreateInstance makes a fresh
// rules object; LockServer keeps the library loaded without an object.
// CreateInstance answers E_FAIL when the host's application is no
// QApplication, since the object's boxes and dialog are widgets, and when
// the host has no application and there is no display to make one on.
#pragma once

#include "inproc/VEL_PART_SET.h"
#include "comkit/CountedUnknown.h"

namespace inproc {

class ClassFactory final : public com::CountedUnknown<ClassFactory, IClassFactory>
{
public:
    static bool givesInterface(REFIID riid) { return com::sameGuid(riid, IID_IClassFactory); }

    HRESULT VEL_CALL CreateInstance(IUnknown *outer, REFIID riid, void **object) override;
    HRESULT VEL_CALL LockServer(BOOL lock) override;
};

} // namespace inproc
