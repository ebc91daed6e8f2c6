// Where the system has no OleAut32, the calling thread's error object:
// one slot per thread, holding a reference.
#include "comruntime/VEL_COM.h"

#ifndef _WIN32

namespace {

thread_local IErrorInfo *threadError = nullptr;

} // namespace

HRESULT SetErrorInfo(ULONG reserved, IErrorInfo *error)
{
    if (reserved != 0)
        return E_INVALIDARG;
    if (error)
        error->AddRef();
    IErrorInfo *previous = threadError;
    threadError = error;
    if (previous)
        previous->Release();
    return S_OK;
}

HRESULT GetErrorInfo(ULONG reserved, IErrorInfo **error)
{
    if (!error)
        return E_POINTER;
    *error = nullptr;
    if (reserved != 0)
        return E_INVALIDARG;
    *error = threadError;
    threadError = nullptr;
    return *error ? S_OK : S_FALSE;
}

#endif
