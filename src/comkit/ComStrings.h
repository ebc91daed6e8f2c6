// Strings across the interface: BSTRs to and from QString.
#pragma once

#include "comruntime/VEL_COM.h"

#include <QString>

namespace com {

// The text of a BSTR; a null BSTR is the empty text.
QString fromBstr(BSTR text);

// A new BSTR holding the text, for the caller to free with SysFreeString.
// Throws std::bad_alloc when memory runs out.
BSTR toBstr(const QString &text);

} // namespace com
