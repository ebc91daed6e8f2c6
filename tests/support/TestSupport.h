// Shared helpers of the tests: scripted toolkit services that fail the running
// test on a message box nobody expected.
#pragma once

#include "core/RuntimeError.h"
#include "ui/ScriptedServices.h"

#include <QString>
#include <functional>
#include <optional>

namespace testing {

// Installs scripted message boxes, pointer and modal runner for its lifetime.
class ScriptedUi
{
public:
    ScriptedUi();
    ~ScriptedUi();

    ui::ScriptedMessageBoxes boxes;
    ui::ScriptedMousePointer pointer;
    ui::ScriptedModalRunner runner;

private:
    ui::ScopedServices *m_scope;
};

QString describe(const ui::ShownBox &box);

// The run-time error a call raises, or nothing when it returns.
std::optional<rt::RuntimeError> errorOf(const std::function<void()> &call);
// The number of the run-time error a call raises; 0 when it returns.
qint32 errorNumberOf(const std::function<void()> &call);
// The run-time error a call must raise; fails the test when it returns.
rt::RuntimeError raisedBy(const std::function<void()> &call);

} // namespace testing
