// The dialog's two error boxes: the internal error box of its event handlers
// (a resource text, a line break and the location) and the fallback shown
// when the string table fails.
#include "partition_settings/dialog/GUI.h"

#include "core/Numbers.h"
#include "core/RuntimeError.h"
#include "resources/StringTable.h"
#include "ui/Services.h"

namespace {

// A string of the table; a missing one is the runtime's error 326.
QString resourceText(qint16 id)
{
    if (const std::optional<QString> text = resources::strings().load(id))
        return *text;
    throw rt::RuntimeError::own(326, QStringLiteral("Resource with identifier '%1' not found").arg(id));
}

} // namespace

void GUI::Show_Internal_Error(qint16 Id, const QString &Location)
{
    try {
        ui::mousePointer().setScreenPointer(ui::Pointer::Hourglass);
        const QString title = resourceText(rt::addInteger(35, LanguageOffset));
        const QString text = resourceText(rt::addInteger(Id, LanguageOffset)) + QStringLiteral("\r\n") + Location;
        ui::mousePointer().setScreenPointer(ui::Pointer::Default);
        ui::messageBoxes().show(text, title, ui::Buttons::OK, ui::Icon::Critical);
    } catch (...) {
        // Do not leave the hourglass on behind the fallback box.
        ui::mousePointer().setScreenPointer(ui::Pointer::Default);
        Show_Resource_Failure();
    }
}

void GUI::Show_Resource_Failure()
{
    ui::messageBoxes().show(QStringLiteral("Resource file failed."), QStringLiteral("Internal Error"), ui::Buttons::OK,
                            ui::Icon::Critical);
}
