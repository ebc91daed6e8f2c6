// Outside components found through the registry, as the component's own
// class is found: CLSIDFromProgID gives the class a ProgID names, and
// CoCreateInstance an object of it from the in-process server that the
// registry names, with the interface asked for.
#pragma once

#include "comruntime/VEL_COM.h"

#include <QString>
#include <QUuid>
#include <optional>

namespace registered {

// The class a ProgID names; nothing when the registry does not name one.
std::optional<QUuid> classOfProgId(const QString &progId);

// The object of the class with that interface (a pointer to it), for the
// caller to Release. Nothing when the registry names no library for the
// class; a run-time error 429 (naming `shownName` and why) when the library
// cannot be loaded or gives no object.
void *createRegistered(const QUuid &classId, const GUID &interfaceId, const QString &shownName);

} // namespace registered
