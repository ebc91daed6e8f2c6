// The run-time errors a call raises, for tests of every layer (they need only
// the core).
#pragma once

#include "core/RuntimeError.h"

#include <functional>
#include <optional>

namespace testing {

// The run-time error a call raises, or nothing when it returns.
std::optional<rt::RuntimeError> errorOf(const std::function<void()> &call);
// The number of the run-time error a call raises; 0 when it returns.
qint32 errorNumberOf(const std::function<void()> &call);

} // namespace testing
