// Turns the raw bytes of a registry value into a field value, by the value's
// type and the length that the registry reported for it:
//   1 (text) and 2 (expandable text): the first (length - 1) bytes as text,
//       leaving out the terminating NUL; nothing is expanded;
//   7 (multi-text): the first (length - 2) bytes as text, the NULs that
//       separate the inner texts kept, the closing pair left out;
//   3 (raw bytes): a byte array of exactly the reported length;
//   4 (32-bit number): a Long read little-endian from the first four bytes;
//   any other type: run-time error 1001 "Unsupported value type".
// A text length below zero (a reported length too short for its
// terminator) is error 5, as taking a negative count of characters is.
// Text bytes are in the system's 8-bit code page.
#pragma once

#include "core/Variant.h"

#include <QByteArray>
#include <QtGlobal>

namespace platform {

namespace RegistryType {
inline constexpr quint32 None = 0;
inline constexpr quint32 Text = 1;
inline constexpr quint32 ExpandableText = 2;
inline constexpr quint32 Binary = 3;
inline constexpr quint32 Number = 4;
inline constexpr quint32 MultiText = 7;
} // namespace RegistryType

Variant convertRegistryValue(quint32 valueType, const QByteArray &data, quint32 reportedLength);

} // namespace platform
