// The dialog's fonts: Tahoma for the form and MS Sans Serif for the node grid,
// taken from Wine's metric-compatible fonts when they are installed, else the
// system's sans serif font.
#pragma once

#include <QFont>

namespace dialogFonts {

QFont tahoma(double points, bool bold = false);
QFont msSansSerif(double points);

} // namespace dialogFonts
