// The class factory of Busyness_Rules: each CreateInstance makes a fresh
// rules object; LockServer keeps the library loaded without an object.
// CreateInstance answers E_FAIL when the host's application is no
// QApplication, since the object's boxes and dialog are widgets.
#pragma once

#include "inproc/VEL_PART_SET.h"

#include <atomic>

namespace inproc {

class ClassFactory final : public IClassFactory
{
public:
    ClassFactory();
    ~ClassFactory();
    ClassFactory(const ClassFactory &) = delete;
    ClassFactory &operator=(const ClassFactory &) = delete;

    HRESULT VEL_CALL QueryInterface(REFIID riid, void **object) override;
    ULONG VEL_CALL AddRef() override;
    ULONG VEL_CALL Release() override;
    HRESULT VEL_CALL CreateInstance(IUnknown *outer, REFIID riid, void **object) override;
    HRESULT VEL_CALL LockServer(BOOL lock) override;

private:
    std::atomic<ULONG> m_references{1};
};

} // namespace inproc
