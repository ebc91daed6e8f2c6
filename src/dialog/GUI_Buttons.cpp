// The dialog's closing buttons. Cancel closes the dialog, which ends Shown;
// OK closes it when no edit is pending (cmdApply disabled) and otherwise
// leaves it open, so that nothing the user changed is dropped silently.
#include "dialog/GUI.h"
#include "dialog/GUI_EventHandler.h"

#include <QPushButton>

void GUI::connectButtonHandlers()
{
    connect(cmdOK, &QPushButton::clicked, this, &GUI::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &GUI::cmdCancel_Click);
}

void GUI::cmdOK_Click()
{
    handler("cmdOK_Click", [&] {
        if (!cmdApply->isEnabled())
            close();
    });
}

void GUI::cmdCancel_Click()
{
    handler("cmdCancel_Click", [&] { close(); });
}
