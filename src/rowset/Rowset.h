// The rowset XML format in which the server components answer: a reader that
// builds a RecordSet from the text and a writer that produces it.
#pragma once

#include "rowset/RecordSet.h"

#include <QByteArray>
#include <QString>

namespace rowset {

// Reads rowset XML. The text form is what the components answer; the byte
// form takes UTF-8, or UTF-16 with a byte-order mark. A document that is not
// well formed, has no schema or holds a value that does not fit its column is
// a run-time error whose description says where.
//
// Values by declared dt:type: integer types (i1 ... i8, int, ui1 ... ui4) as
// integers, ui8 as unsigned integers, r4/r8/float/number as floating, boolean
// as boolean, dateTime/date/time as dates, bin.hex as binary, uuid as the text
// of a braced GUID, anything else (string, none, an unknown name) as text;
// FieldInfo::dataType keeps the declared name. Errors: a value of the wrong
// form is 13, one out of its type's range 6 (both naming the column, row,
// line and value); a document that cannot be read, or is not well formed XML,
// is -2147467259 (0x80004005) with the line and column. A NUL character
// written raw inside an attribute value is kept in the value. Columns marked
// rs:hidden are left out; pending inserts and updates are visible rows,
// deletions are not.
RecordSet read(const QString &text);
RecordSet readBytes(const QByteArray &bytes);

// Writes a record set as rowset XML (single-quoted attributes, tab
// indentation, CR LF line ends). A text holding a character that
// uncarriableCharacter() names cannot be written and is a run-time error
// (5), as is a floating value that is not finite or an invalid date; a
// closed record set is 3704. dt:type comes from FieldInfo::dataType, or from
// the values when it is empty (none for text); a column is written
// rs:maybenull='false' only when it is declared not nullable and holds no
// null. Dates keep their milliseconds and zone, so that what the reader
// gives reads back the same.
QString write(const RecordSet &records);

// The first character of the text that no rowset document can carry, as the
// error messages name it ("the control character U+0001", "the lone
// surrogate U+D800", "the noncharacter U+FFFF"); empty when there is none.
// Control characters are all below U+0020 but TAB, CR and LF.
QString uncarriableCharacter(QStringView text);

} // namespace rowset
