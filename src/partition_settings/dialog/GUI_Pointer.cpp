// The nested busy pointer: the hourglass shows, on the screen and over the
// form, from the outermost busy call to its matching end. A reset always
// restores the default pointer and leaves the count at 0.
#include "partition_settings/dialog/GUI.h"

#include "core/Modules.h"
#include "core/Numbers.h"
#include "core/RuntimeError.h"
#include "ui/Services.h"

void GUI::Set_MousePointer(qint16 Busy, bool Reset)
{
    try {
        if (Reset) {
            BusyCount = 1;
            Busy = 0;
        }
        if (Busy != 0) {
            if (BusyCount == 0)
                setPointers(true);
            BusyCount = rt::addInteger(BusyCount, 1);
        } else {
            BusyCount = rt::subtractInteger(BusyCount, 1);
            if (BusyCount == 0)
                setPointers(false);
            if (BusyCount < 0)
                BusyCount = 0;
        }
    } catch (...) {
        recordError(rt::currentError(), QStringLiteral("Set_MousePointer"), rt::ModuleBusinessRules);
    }
}

void GUI::setPointers(bool busy)
{
    ui::mousePointer().setScreenPointer(busy ? ui::Pointer::Hourglass : ui::Pointer::Default);
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}
