// Helpers of the data tests: rowset documents around given schema and row
// lines, and a column's values as text.
#pragma once

#include "RaisedErrors.h"
#include "core/RuntimeError.h"
#include "data/RecordSet.h"

#include <QString>

namespace testing {

// A rowset document with the usual prefixes: columns are the
// s:AttributeType elements, rows the content of rs:data.
QString rowsetDocument(const QString &columns, const QString &rows);

// The values of one column, top to bottom, as text ("<null>" for a null).
QStringList columnTexts(const RecordSet &records, int column);

} // namespace testing
