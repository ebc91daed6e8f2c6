// The four pictures of the navigation buttons (first, previous, next, last):
// 17 x 19 pixels, a black glyph on light grey. They exist twice, as in the
// original resource file: as the pictures the dialog's buttons show, and as
// the bitmap resources 101 to 104, packed device-independent bitmaps of 1028
// bytes (a 40-byte header and 19 bottom-up rows of 52 bytes, 24 bits a pixel).
#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

namespace resources {

enum class NavigationGlyph { First, Previous, Next, Last };

inline constexpr int NavigationPictureWidth = 17;
inline constexpr int NavigationPictureHeight = 19;
inline constexpr qint32 FirstNavigationBitmapId = 101; // 101 first ... 104 last
inline constexpr QRgb NavigationBackground = qRgb(192, 192, 192);

// The picture a navigation button shows.
QImage navigationPicture(NavigationGlyph glyph);

// The picture as a packed device-independent bitmap.
QByteArray navigationBitmap(NavigationGlyph glyph);

// The bitmap resource with that id (101 to 104), or nothing.
std::optional<QByteArray> loadBitmap(qint32 id);

} // namespace resources
