// Checked numbers: the system's Integer (16-bit) and Long (32-bit) with
// overflow checking, and conversions of text and field values to numbers.
//
// Conversions follow the runtime's usual rules: blanks around a number are
// ignored, a fraction rounds half to even, a text that is no number is error
// 13 (Type mismatch), a value out of range is error 6 (Overflow) and a null is
// error 94 (Invalid use of Null).
#pragma once

#include <QString>
#include <QtGlobal>

class Variant;

namespace rt {

double textToDouble(const QString &text);
qint16 textToInteger(const QString &text);
qint32 textToLong(const QString &text);

double toDouble(const Variant &value);
qint16 toInteger(const Variant &value);
qint32 toLong(const Variant &value);

// Narrowing with overflow checking (error 6).
qint16 checkedInteger(qint64 value);
qint32 checkedLong(qint64 value);

// 16-bit arithmetic with overflow checking.
qint16 addInteger(qint16 a, qint16 b);
qint16 subtractInteger(qint16 a, qint16 b);
qint16 multiplyInteger(qint16 a, qint16 b);

} // namespace rt
