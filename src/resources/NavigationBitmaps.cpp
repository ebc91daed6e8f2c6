// Draws the navigation glyphs and packs them as device-independent bitmaps.
// The glyphs are centred on row 9: a triangle five columns wide and nine rows
// high, and for first and last a bar two columns wide beside its point.
// "next" and "last" are the mirror images of "previous" and "first".
#include "resources/NavigationBitmaps.h"

#include <QtEndian>
#include <cstdlib>

namespace resources {
namespace {

constexpr QRgb Grey = NavigationBackground;
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr int CentreRow = 9;
constexpr int HalfHeight = 4;

// A left-pointing triangle whose point is at column apex.
bool inLeftTriangle(int x, int y, int apex)
{
    const int depth = x - apex;
    return depth >= 0 && depth <= HalfHeight && std::abs(y - CentreRow) <= depth;
}

bool inBar(int x, int y, int left) { return x >= left && x <= left + 1 && std::abs(y - CentreRow) <= HalfHeight; }

// The glyph pointing left; "next" and "last" read it mirrored.
bool isBlack(NavigationGlyph glyph, int x, int y)
{
    switch (glyph) {
    case NavigationGlyph::Previous: return inLeftTriangle(x, y, 6);
    case NavigationGlyph::First: return inBar(x, y, 4) || inLeftTriangle(x, y, 7);
    case NavigationGlyph::Next: return isBlack(NavigationGlyph::Previous, NavigationPictureWidth - 1 - x, y);
    case NavigationGlyph::Last: return isBlack(NavigationGlyph::First, NavigationPictureWidth - 1 - x, y);
    }
    return false;
}

void appendLittleEndian32(QByteArray &bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

void appendLittleEndian16(QByteArray &bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

constexpr int RowBytes = (NavigationPictureWidth * 3 + 3) / 4 * 4;

void appendInfoHeader(QByteArray &bytes)
{
    appendLittleEndian32(bytes, 40);                                 // header size
    appendLittleEndian32(bytes, NavigationPictureWidth);             // width
    appendLittleEndian32(bytes, NavigationPictureHeight);            // height, bottom-up
    appendLittleEndian16(bytes, 1);                                  // planes
    appendLittleEndian16(bytes, 24);                                 // bits a pixel
    appendLittleEndian32(bytes, 0);                                  // no compression
    appendLittleEndian32(bytes, RowBytes * NavigationPictureHeight); // image size
    appendLittleEndian32(bytes, 0);                                  // pixels a metre, x
    appendLittleEndian32(bytes, 0);                                  // pixels a metre, y
    appendLittleEndian32(bytes, 0);                                  // colours used
    appendLittleEndian32(bytes, 0);                                  // important colours
}

void appendRow(QByteArray &bytes, const QImage &picture, int y)
{
    for (int x = 0; x < NavigationPictureWidth; ++x) {
        const QRgb pixel = picture.pixel(x, y);
        bytes.append(char(qBlue(pixel)));
        bytes.append(char(qGreen(pixel)));
        bytes.append(char(qRed(pixel)));
    }
    bytes.append(RowBytes - NavigationPictureWidth * 3, '\0');
}

} // namespace

QImage navigationPicture(NavigationGlyph glyph)
{
    QImage picture(NavigationPictureWidth, NavigationPictureHeight, QImage::Format_RGB32);
    for (int y = 0; y < NavigationPictureHeight; ++y)
        for (int x = 0; x < NavigationPictureWidth; ++x)
            picture.setPixel(x, y, isBlack(glyph, x, y) ? Black : Grey);
    return picture;
}

QByteArray navigationBitmap(NavigationGlyph glyph)
{
    const QImage picture = navigationPicture(glyph);
    QByteArray bytes;
    bytes.reserve(40 + RowBytes * NavigationPictureHeight);
    appendInfoHeader(bytes);
    for (int y = NavigationPictureHeight - 1; y >= 0; --y)
        appendRow(bytes, picture, y);
    return bytes;
}

std::optional<QByteArray> loadBitmap(qint32 id)
{
    const qint32 index = id - FirstNavigationBitmapId;
    if (index < 0 || index > 3)
        return std::nullopt;
    return navigationBitmap(NavigationGlyph(index));
}

} // namespace resources
