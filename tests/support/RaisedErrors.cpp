// The run-time errors a call raises.
#include "RaisedErrors.h"

namespace testing {

std::optional<rt::RuntimeError> errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const rt::RuntimeError &error) {
        return error;
    }
    return std::nullopt;
}

qint32 errorNumberOf(const std::function<void()> &call)
{
    return errorOf(call).value_or(rt::RuntimeError(0, {}, {})).number();
}

} // namespace testing
