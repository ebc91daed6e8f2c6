// BSTR conversions.
#include "comkit/ComStrings.h"

#include <new>

namespace com {

QString fromBstr(BSTR text)
{
    return text ? QString::fromUtf16(reinterpret_cast<const char16_t *>(text), qsizetype(SysStringLen(text)))
                : QString();
}

BSTR toBstr(const QString &text)
{
    BSTR copy = SysAllocStringLen(reinterpret_cast<const OLECHAR *>(text.utf16()), UINT(text.size()));
    if (!copy)
        throw std::bad_alloc();
    return copy;
}

} // namespace com
