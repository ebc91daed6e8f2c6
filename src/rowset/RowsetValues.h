// Column types of the rowset format and the conversion of an attribute's text
// to the field value of its column, straight from the parsed characters.
#pragma once

#include "core/Variant.h"

#include <string_view>

namespace rowset {

enum class ValueKind { Text, Integer, Unsigned, Floating, Boolean, DateTime, Date, Time, Hex, Uuid };

struct ColumnType
{
    ValueKind kind = ValueKind::Text;
    qint64 minimum = 0; // range of an integer type
    qint64 maximum = 0;
};

// The type of a dt:type name; no name or an unknown one reads as text
// (names are matched exactly: "fixed.14.4" or "dateTime.tz" are text).
ColumnType columnType(std::string_view name);

// Why a text did not convert: the run-time error number (13 for a text of
// the wrong form, 6 for a number out of range) and a short reason.
struct ConversionFailure
{
    qint32 number = 0;
    const char *reason = "";
};

// Converts the text of an attribute; returns false and fills failure when it
// does not fit the type.
bool convertValue(const ColumnType &type, std::string_view text, Variant &value, ConversionFailure &failure);

} // namespace rowset
