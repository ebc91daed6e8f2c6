// The run-time errors a call raises.
#include "RaisedErrors.h"

#include <QTest>

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

rt::RuntimeError raisedBy(const std::function<void()> &call)
{
    const std::optional<rt::RuntimeError> error = errorOf(call);
    if (!error)
        QTest::qFail("the call raised no run-time error", __FILE__, __LINE__);
    return error.value_or(rt::RuntimeError(0, {}, {}));
}

} // namespace testing
