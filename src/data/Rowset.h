// The rowset XML format in which the server components answer: a reader that
// builds a RecordSet from the text and a writer that produces it.
#pragma once

#include "data/RecordSet.h"

#include <QByteArray>
#include <QString>

namespace rowset {

// Reads rowset XML. The text form is what the components answer; the byte
// form takes UTF-8, or UTF-16 with a byte-order mark. A document that is not
// well formed, has no schema or holds a value that does not fit its column is
// a run-time error whose description says where.
RecordSet read(const QString &text);
RecordSet readBytes(const QByteArray &bytes);

// Writes a record set as rowset XML (single-quoted attributes, tab
// indentation, CR LF line ends). A text holding a control character other
// than TAB, CR and LF cannot be written and is a run-time error.
QString write(const RecordSet &records);

} // namespace rowset
