// Minutes and seconds to seconds with the 16-bit checks.
#include "core/Seconds.h"

#include "core/Numbers.h"

namespace rt {

qint16 totalSeconds(const QString &minutes, const QString &seconds)
{
    return addInteger(multiplyInteger(textToInteger(minutes), 60), textToInteger(seconds));
}

} // namespace rt
