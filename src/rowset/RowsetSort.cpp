// Sorting of record set rows by a sort expression: the expression parser and
// the value ordering used by RecordSet::Sort.
#include "rowset/RowsetSort.h"

#include "core/RuntimeError.h"

#include <algorithm>

namespace rowset {

namespace {

SortKey parseKey(QString key, const QString &expression, const RecordSet &records)
{
    SortKey result;
    const qsizetype blank = key.lastIndexOf(QLatin1Char(' '));
    if (blank > 0) {
        const QString direction = key.mid(blank + 1);
        if (direction.compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0) {
            result.descending = true;
            key = key.left(blank).trimmed();
        } else if (direction.compare(QLatin1String("asc"), Qt::CaseInsensitive) == 0) {
            key = key.left(blank).trimmed();
        }
    }
    if (key.size() >= 2 && key.startsWith(QLatin1Char('[')) && key.endsWith(QLatin1Char(']')))
        key = key.mid(1, key.size() - 2);
    if (key.isEmpty())
        throw rt::RuntimeError::own(
            rt::InvalidProcedureCall,
            QStringLiteral("The sort expression \"%1\" has a key without a column name.").arg(expression));
    result.column = records.fieldIndex(key);
    if (result.column < 0)
        throw rt::RuntimeError::own(
            3265, QStringLiteral("Item cannot be found in the collection corresponding to the requested name or "
                                 "ordinal."));
    return result;
}

// Rank of a value kind when kinds differ: null, numbers, dates, text, binary.
int kindRank(Variant::Type type)
{
    switch (type) {
    case Variant::Type::Null: return 0;
    case Variant::Type::Integer:
    case Variant::Type::Unsigned:
    case Variant::Type::Floating:
    case Variant::Type::Boolean: return 1;
    case Variant::Type::Date: return 2;
    case Variant::Type::Text: return 3;
    case Variant::Type::Binary: return 4;
    }
    return 5;
}

// False orders before True.
double numberOf(const Variant &value)
{
    switch (value.type()) {
    case Variant::Type::Integer: return double(value.asInteger());
    case Variant::Type::Unsigned: return double(value.asUnsigned());
    case Variant::Type::Boolean: return value.asBoolean() ? 1.0 : 0.0;
    default: return value.asFloating();
    }
}

int compareNumbers(const Variant &a, const Variant &b)
{
    if (a.type() == Variant::Type::Integer && b.type() == Variant::Type::Integer)
        return a.asInteger() < b.asInteger() ? -1 : (a.asInteger() > b.asInteger() ? 1 : 0);
    if (a.type() == Variant::Type::Unsigned && b.type() == Variant::Type::Unsigned)
        return a.asUnsigned() < b.asUnsigned() ? -1 : (a.asUnsigned() > b.asUnsigned() ? 1 : 0);
    const double x = numberOf(a);
    const double y = numberOf(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

template <typename T> int compareOrdered(const T &a, const T &b) { return a < b ? -1 : (b < a ? 1 : 0); }

} // namespace

QList<SortKey> parseSortExpression(const QString &expression, const RecordSet &records)
{
    QList<SortKey> keys;
    if (expression.trimmed().isEmpty())
        return keys;
    const QStringList parts = expression.split(QLatin1Char(','));
    for (const QString &part : parts)
        keys.append(parseKey(part.simplified(), expression, records));
    return keys;
}

int compareValues(const Variant &a, const Variant &b)
{
    const int rankA = kindRank(a.type());
    const int rankB = kindRank(b.type());
    if (rankA != rankB)
        return rankA < rankB ? -1 : 1;
    switch (rankA) {
    case 1: return compareNumbers(a, b);
    case 2: return compareOrdered(a.asDate(), b.asDate());
    case 3: return a.asText().compare(b.asText(), Qt::CaseInsensitive);
    case 4: return compareOrdered(a.asBinary(), b.asBinary());
    default: return 0;
    }
}

void sortRows(QList<RecordSet::Row> &rows, const QList<SortKey> &keys)
{
    if (keys.isEmpty())
        return;
    std::stable_sort(rows.begin(), rows.end(), [&keys](const RecordSet::Row &x, const RecordSet::Row &y) {
        for (const SortKey &key : keys) {
            const int order = compareValues(x.at(key.column), y.at(key.column));
            if (order != 0)
                return key.descending ? order > 0 : order < 0;
        }
        return false;
    });
}

} // namespace rowset
