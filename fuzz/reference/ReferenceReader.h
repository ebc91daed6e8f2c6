// The reference rowset reader the differential fuzz target compares the
// library's reader with: the same documents, refusals (with their line,
// column and description) and record sets as rowset::read and readBytes.
#pragma once

#include "rowset/RecordSet.h"

#include <QByteArray>
#include <QString>

namespace rowset::reference {

RecordSet read(const QString &text);
RecordSet readBytes(const QByteArray &bytes);

} // namespace rowset::reference
