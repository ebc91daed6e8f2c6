// The dialog's window icon: 32 x 32 pixels in 256 colours, a small settings
// window whose body lists three partitions.
#pragma once

#include <QImage>

namespace resources {

inline constexpr int FormIconSize = 32;

// An 8-bit indexed image with a 256-entry colour table.
QImage formIcon();

} // namespace resources
