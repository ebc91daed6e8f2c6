// The form itself: caption, fixed dialog frame, font, icon and client size.
// The form has a fixed size that follows the twips it is given, so that the
// rules object can shorten it like any other control.
#include "partition_settings/dialog/GUI.h"

#include "partition_settings/dialog/DialogFonts.h"
#include "partition_settings/dialog/Twips.h"
#include "resources/FormIcon.h"

#include <QDynamicPropertyChangeEvent>
#include <QIcon>
#include <QPixmap>

namespace {

constexpr int FormWidth = 8295;
constexpr int FormHeight = 5820;

} // namespace

void GUI::setUpForm()
{
    setObjectName(QStringLiteral("GUI"));
    setWindowTitle(QStringLiteral("Partition Settings"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setFont(dialogFonts::tahoma(8.25));
    setWindowIcon(QIcon(QPixmap::fromImage(resources::formIcon())));
    twips::setWidth(this, FormWidth);
    twips::setHeight(this, FormHeight);
}

bool GUI::event(QEvent *event)
{
    if (event->type() == QEvent::DynamicPropertyChange)
        followFixedSize(static_cast<QDynamicPropertyChangeEvent *>(event)->propertyName());
    else if (event->type() == QEvent::Move || event->type() == QEvent::WindowActivate)
        followNewFrame();
    return QDialog::event(event);
}

// The twips helper stores the twips before it resizes the widget: fix the
// form's size to them first, or the fixed size would refuse the new one.
void GUI::followFixedSize(const QByteArray &property)
{
    const QVariant value = this->property(property.constData());
    if (!value.isValid())
        return;
    if (property == "twipsWidth")
        setFixedWidth(twips::toPixels(value.toInt()));
    else if (property == "twipsHeight")
        setFixedHeight(twips::toPixels(value.toInt()));
}
