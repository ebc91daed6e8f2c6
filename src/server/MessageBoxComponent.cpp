// The reference message component.
#include "server/MessageBoxComponent.h"

#include "ui/Services.h"

namespace server {

ui::Icon MessageBoxComponent::iconFor(qint32 icon)
{
    switch (icon) {
    case 1: return ui::Icon::Critical;
    case 2: return ui::Icon::Exclamation;
    case 3: return ui::Icon::Information;
    case 4: return ui::Icon::Question;
    default: return ui::Icon::None;
    }
}

qint32 MessageBoxComponent::Show_Error_Message(qint32 kind, const QString &message, qint32 buttons,
                                               qint32 icon, const QString &title)
{
    Q_UNUSED(kind);
    Q_UNUSED(buttons);
    return qint32(ui::messageBoxes().show(message, title, ui::Buttons::OK, iconFor(icon)));
}

} // namespace server
