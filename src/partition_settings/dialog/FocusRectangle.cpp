// Paints the dotted focus rectangle over what the style drew. It is one
// logical pixel wide, so that it scales with the device pixel ratio, and it
// keeps two logical pixels inside the part it marks.
#include "partition_settings/dialog/FocusRectangle.h"

#include <QPainter>
#include <QStyleOptionSlider>

namespace {

constexpr int InsetPixels = 3; // from the button's edge: inside its bevel
constexpr int ThumbInsetPixels = 2;

void drawFocusRectangle(QWidget *control, const QRect &place)
{
    QPainter painter(control);
    QPen pen(control->palette().color(QPalette::WindowText), 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(place.adjusted(0, 0, -1, -1));
}

} // namespace

void FocusButton::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    if (hasFocus())
        drawFocusRectangle(this, rect().adjusted(InsetPixels, InsetPixels, -InsetPixels, -InsetPixels));
}

// On the thumb when there is one, else on the whole bar.
void FocusScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    QStyleOptionSlider option;
    initStyleOption(&option);
    QRect place = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    if (place.isEmpty() || minimum() == maximum())
        place = rect();
    drawFocusRectangle(this, place.adjusted(ThumbInsetPixels, ThumbInsetPixels, -ThumbInsetPixels, -ThumbInsetPixels));
}
