// Helpers of the data tests: rowset documents around given columns and rows,
// and values, columns, rows and outcomes as text for literal expectations.
#pragma once

#include "data/RecordSet.h"

#include <QString>
#include <functional>

namespace testing {

// A rowset document with the usual prefixes: columns are s:AttributeType
// elements, rows the content of rs:data (which starts on line 11).
QString rowsetDocument(const QString &columns, const QString &rows);
// An s:AttributeType with its s:datatype, which also carries extra.
QString column(const QString &name, const QString &type, const QString &extra = {});

// A value as its kind and text: "null", "t:x", "i:7", "f:1.5", "b:True",
// "d:2024-02-29T13:45:07.000" (with its zone when it has one) or "x:0AFF".
QString describe(const Variant &value);
// The rows, "|"-separated, each with its values ","-separated as describe() gives them.
QString rowsText(const RecordSet &records);
// The columns, blank-separated, as "name:type", with "?" when nullable and "(n)" for a declared length.
QString fieldsText(const RecordSet &records);

// What a call gives, or "error N" for the run-time error it raises.
QString outcome(const std::function<QString()> &call);

} // namespace testing
