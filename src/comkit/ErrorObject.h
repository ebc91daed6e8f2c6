// Run-time errors across an interface. The side that fails leaves an error
// object (IErrorInfo: its source and description) for the calling thread
// and answers VEL_E_RUNTIME(number); the calling side turns the answer and
// the object back into the same rt::RuntimeError.
#pragma once

#include "comkit/CountedUnknown.h"
#include "comruntime/VEL_COM.h"
#include "core/RuntimeError.h"

#include <new>

namespace com {

// Leaves the error for the calling thread and gives the answer that carries its number.
HRESULT answerFor(const rt::RuntimeError &error);

// The error a failing answer stands for: the thread's error object's source
// and description when there is one (it is taken), else `source` with the
// runtime's wording of the number.
rt::RuntimeError errorFor(HRESULT answer, const QString &source);

// Throws errorFor(answer, source) when the answer is a failure.
void check(HRESULT answer, const QString &source);

// Runs one call of an interface whose failures are run-time errors: S_OK, or
// the answer of the error it raised (any other exception is error 51 with
// its message; running out of memory is E_OUTOFMEMORY and leaves no object).
template <typename Body> HRESULT guardedCall(Body body) noexcept
{
    try {
        body();
        return S_OK;
    } catch (const std::bad_alloc &) {
        SetErrorInfo(0, nullptr);
        return E_OUTOFMEMORY;
    } catch (...) {
        try {
            return answerFor(rt::currentError());
        } catch (...) {
            SetErrorInfo(0, nullptr);
            return E_FAIL;
        }
    }
}

} // namespace com
