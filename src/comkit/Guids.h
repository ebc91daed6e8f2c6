// Class and interface identifiers between the interface's GUID and QUuid.
#pragma once

#include "comruntime/VEL_COM.h"

#include <QUuid>

namespace com {

QUuid toUuid(const GUID &id);
GUID toGuid(const QUuid &id);

} // namespace com
