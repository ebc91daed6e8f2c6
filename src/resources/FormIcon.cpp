// Draws the dialog's icon with a fixed 256-colour palette: a navy-framed
// window with a title bar, and three partition rows, each a coloured tag and
// a grey bar, on a white body.
#include "resources/FormIcon.h"

#include <QList>
#include <QRect>

namespace resources {
namespace {

enum Colour : uchar { Clear, Navy, White, Grey, Teal, Yellow, Red, DarkGrey, FirstCubeColour };

// The eight colours the icon uses, then a 6 x 6 x 6 colour cube and a grey
// ramp to make up the 256 entries.
QList<QRgb> palette()
{
    QList<QRgb> colours = {qRgba(0, 0, 0, 0), qRgb(0, 0, 128),   qRgb(255, 255, 255), qRgb(192, 192, 192),
                           qRgb(0, 128, 128), qRgb(255, 255, 0), qRgb(128, 0, 0),     qRgb(128, 128, 128)};
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                colours.append(qRgb(r * 51, g * 51, b * 51));
    for (int level = 0; colours.size() < 256; ++level)
        colours.append(qRgb(level * 8, level * 8, level * 8));
    return colours;
}

void fill(QImage &image, const QRect &area, Colour colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            image.setPixel(x, y, colour);
}

void drawPartitionRow(QImage &image, int top, Colour tag)
{
    fill(image, QRect(6, top, 5, 5), tag);
    fill(image, QRect(13, top + 1, 13, 3), Grey);
    fill(image, QRect(13, top + 4, 13, 1), DarkGrey);
}

} // namespace

QImage formIcon()
{
    QImage icon(FormIconSize, FormIconSize, QImage::Format_Indexed8);
    icon.setColorTable(palette());
    fill(icon, icon.rect(), Clear);
    fill(icon, QRect(2, 3, 28, 26), Navy);
    fill(icon, QRect(4, 9, 24, 18), White);
    fill(icon, QRect(24, 5, 3, 2), White); // close box in the title bar
    drawPartitionRow(icon, 10, Teal);
    drawPartitionRow(icon, 16, Yellow);
    drawPartitionRow(icon, 22, Red);
    return icon;
}

} // namespace resources
