// The reference message component.
#include "ui/MessageBoxComponent.h"

#include "ui/Services.h"

namespace ui {

Icon MessageBoxComponent::iconFor(qint32 icon)
{
    switch (icon) {
    case 1: return Icon::Critical;
    case 2: return Icon::Exclamation;
    case 3: return Icon::Information;
    case 4: return Icon::Question;
    default: return Icon::None;
    }
}

qint32 MessageBoxComponent::Show_Error_Message(qint32 kind, const QString &message, qint32 buttons, qint32 icon,
                                               const QString &title)
{
    Q_UNUSED(kind);
    Q_UNUSED(buttons);
    return qint32(messageBoxes().show(message, title, Buttons::OK, iconFor(icon)));
}

void registerMessageBoxComponent(ComponentFactory &factory)
{
    factory.registerProgId(QString::fromLatin1(VEL_MsgBox::Busyness_Rules::ProgID),
                           [] { return std::make_unique<MessageBoxComponent>(); });
}

} // namespace ui
