// How the store turns a stored value into a value of its answer, shared by
// the reads through Qt Sql and the direct reads of a SQLite store, so that
// both accept and refuse the same values with the same words.
#pragma once

#include "rowset/RecordSet.h"
#include "server/ServerErrors.h"

#include <QVariant>
#include <functional>
#include <optional>

namespace server {

// The value of a stored field as its column is declared; nothing when the
// store holds a value of another kind (a text or a fraction in an integer
// column, or a number beyond the column's type).
std::optional<Variant> fieldValue(const QVariant &value, const FieldInfo &field);

// The kinds of answer column fieldValue() tells apart; anything but a text
// or a 16-bit integer is read as a 32-bit integer.
enum class ColumnKind { Text, Small, Whole };
ColumnKind columnKind(const FieldInfo &field);
// Whether a stored integer fits a column of the kind (not a text column).
inline bool fits(qint64 number, ColumnKind kind)
{
    const qint64 limit = kind == ColumnKind::Small ? 32767 : 2147483647;
    return number >= -limit - 1 && number <= limit;
}

// A stored value that its answer's column cannot hold, named by the column
// and by the partition of its row (or the row's number when the answer has
// no partitions); textAt gives the text of a column of the row.
StoreError wrongKind(const QList<FieldInfo> &layout, qsizetype column, qsizetype row,
                     const std::function<QString(int)> &textAt);

} // namespace server
