// The dialog's fonts: Tahoma for the form and MS Sans Serif (or its scalable
// successor) for the node grid, from the font database or the platform's font
// files (Wine's metric-compatible ones on Linux), else the system's sans serif
// font; always a scalable face.
#pragma once

#include <QFont>

namespace dialogFonts {

QFont tahoma(double points, bool bold = false);
QFont msSansSerif(double points);

} // namespace dialogFonts
