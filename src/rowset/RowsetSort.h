// Sorting of record set rows: parsing a sort expression ("Name desc, ID")
// into keys, and the stable multi-key ordering by value type.
#pragma once

#include "rowset/RecordSet.h"

#include <QList>

namespace rowset {

struct SortKey
{
    int column = 0;
    bool descending = false;
};

// Keys of an expression such as "NodeType_ID asc" or "A asc, B desc"; a key
// without a direction is ascending and a column may be written in brackets.
// An unknown column is error 3265, an empty key error 5; a blank expression
// gives no keys.
QList<SortKey> parseSortExpression(const QString &expression, const RecordSet &records);

// Orders two values: nulls first, numbers numerically, text without regard
// to case, dates by time; values of different kinds by kind.
int compareValues(const Variant &a, const Variant &b);

// Stable sort of the rows by the keys, the first key first.
void sortRows(QList<RecordSet::Row> &rows, const QList<SortKey> &keys);

} // namespace rowset
