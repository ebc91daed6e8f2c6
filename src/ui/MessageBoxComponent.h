// The reference message component (VEL_MsgBox.Busyness_Rules): shows an error
// message through the process's message-box service. It sits with the ui
// services rather than with the reference server components, so that the
// server stays free of Qt Widgets.
//
// Its three Long arguments:
// - kind (1st): the kind of message; 1 is an error report, the only kind the
//   rules object sends. Every kind is shown the same way.
// - buttons (3rd): the maker's display option; an error message only needs
//   acknowledging, so the box always has a single OK button whatever the value.
// - icon (4th): 1 critical, 2 exclamation, 3 information, 4 question; any other
//   value shows no icon.
// The answer is the number of the button pressed (1 for OK).
#pragma once

#include "components/ComponentFactory.h"
#include "components/ServerComponents.h"
#include "ui/MessageBoxes.h"

namespace ui {

class MessageBoxComponent : public VEL_MsgBox::Busyness_Rules
{
public:
    qint32 Show_Error_Message(qint32 kind, const QString &message, qint32 buttons, qint32 icon,
                              const QString &title) override;

    static Icon iconFor(qint32 icon);
};

// Registers the message component with a factory under its ProgID.
void registerMessageBoxComponent(ComponentFactory &factory);

} // namespace ui
