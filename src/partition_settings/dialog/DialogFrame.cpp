// Paints the dialog's frames: a one-pixel etched border (a shadow line with a
// light line beside it) and the title over a gap in the top line.
#include "partition_settings/dialog/DialogFrame.h"

#include "partition_settings/dialog/Twips.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace {

constexpr int TitleIndentTwips = 120; // from the frame's left edge to its title
constexpr int TitleGapPixels = 2;     // line left clear on each side of the title

} // namespace

QRect DialogFrame::borderRect() const
{
    const int top = title().isEmpty() ? 0 : fontMetrics().height() / 2;
    return rect().adjusted(0, top, 0, 0);
}

void DialogFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawShadeRect(&painter, borderRect(), palette(), true, 1, 0, nullptr);
    if (title().isEmpty())
        return;
    const int indent = twips::toPixels(TitleIndentTwips);
    const QString text = fontMetrics().elidedText(title(), Qt::ElideRight, width() - 2 * indent);
    const QRect place(indent, 0, fontMetrics().horizontalAdvance(text), fontMetrics().height());
    painter.fillRect(place.adjusted(-TitleGapPixels, 0, TitleGapPixels, 0), palette().brush(backgroundRole()));
    style()->drawItemText(&painter, place, Qt::AlignLeft | Qt::AlignTop, palette(), isEnabled(), text,
                          QPalette::WindowText);
}
