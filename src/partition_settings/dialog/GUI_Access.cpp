// What the access mode allows in the dialog. A no-access showing disables
// every control the Access Denied cover hides, so that no key or click
// reaches them; a no-access or read-only showing never marks a change, so
// cmdApply stays disabled and nothing asks to save.
#include "partition_settings/dialog/GUI.h"

#include "partition_settings/rules/Busyness_Rules.h"

#include <QGroupBox>
#include <QPushButton>

// Covered is not enough: a covered box still takes the focus through Tab and
// a covered list still answers its keys. Disabled, they take neither. OK and
// Cancel stay usable to close the dialog, the cover keeps its look, and the
// focus starts on OK.
void GUI::lockUnderCover()
{
    for (QWidget *control : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control != cmdOK && control != cmdCancel && control != frmAccessDenied)
            control->setEnabled(false);
    }
    cmdOK->setFocus();
}

// A form that no rules object shows yet follows its edits as usual.
bool GUI::writesAllowed() const { return !m_rules || m_rules->MayWrite(); }

void GUI::markChanged()
{
    if (writesAllowed())
        cmdApply->setEnabled(true);
}
