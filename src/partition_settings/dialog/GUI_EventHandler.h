// The trap every event handler of the dialog runs its body in: a run-time
// error shows the dialog's error box, located by the handler's name.
#pragma once

#include "core/RuntimeError.h"
#include "partition_settings/dialog/GUI.h"

template <typename Body> void GUI::handler(const char *procedure, Body body)
{
    try {
        body();
    } catch (...) {
        Show_Internal_Error(36, rt::currentError().locatedIn(QString::fromLatin1(procedure)));
    }
}
