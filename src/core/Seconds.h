// A time typed as minutes and seconds in two boxes, as one number of seconds:
// minutes x 60 + seconds in 16-bit arithmetic, so a total above 32,767 is
// error 6 (Overflow) and a text that is no number error 13.
#pragma once

#include <QString>
#include <QtGlobal>

namespace rt {

qint16 totalSeconds(const QString &minutes, const QString &seconds);

} // namespace rt
