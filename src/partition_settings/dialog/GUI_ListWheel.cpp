// The mouse wheel over a drop-down list changes its choice only when the list
// has the focus: a stray wheel on its way over the dialog neither switches the
// partition nor changes a setting. Nor does the wheel give a list the focus.
#include "partition_settings/dialog/GUI.h"

#include "partition_settings/dialog/EventHook.h"

#include <QComboBox>

void GUI::guardListsFromStrayWheel()
{
    for (QComboBox *list : findChildren<QComboBox *>()) {
        list->setFocusPolicy(Qt::StrongFocus);
        eventHook::install(list, QEvent::Wheel, [list](QEvent *) { return !list->hasFocus(); });
    }
}
