// Shared helpers of the tests: scripted toolkit services that fail the running
// test on a message box nobody expected, and the run-time errors a call raises.
#pragma once

#include "RaisedErrors.h"
#include "ScriptedServices.h"

#include <QString>

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

} // namespace testing
