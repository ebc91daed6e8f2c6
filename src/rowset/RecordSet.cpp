// RecordSet: the in-memory table behind every server answer, with its cursor,
// field access by name or position, sorting and the data-access layer's
// error numbers for misuse.
#include "rowset/RecordSet.h"

#include "core/RuntimeError.h"
#include "rowset/RowsetSort.h"

namespace {

enum RecordSetError : qint32 {
    ItemNotFound = 3265,
    NoCurrentRecord = 3021,
    ObjectClosed = 3704,
};

rt::RuntimeError itemNotFound()
{
    return rt::RuntimeError::own(
        ItemNotFound,
        QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
}

rt::RuntimeError noCurrentRecord()
{
    return rt::RuntimeError::own(NoCurrentRecord,
                                 QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                                                "Requested operation requires a current record."));
}

} // namespace

RecordSet::RecordSet(QList<FieldInfo> fields) : m_fields(std::move(fields)), m_open(true) {}

void RecordSet::addRow(Row values)
{
    requireOpen();
    if (values.size() != m_fields.size())
        throw rt::RuntimeError::own(rt::InvalidProcedureCall,
                                    QStringLiteral("A row of %1 values cannot be added to a record set of %2 columns.")
                                        .arg(values.size())
                                        .arg(m_fields.size()));
    m_rows.append(std::move(values));
}

void RecordSet::reserveRows(qsizetype count) { m_rows.reserve(count); }

bool RecordSet::isEOF() const
{
    requireOpen();
    return m_cursor >= m_rows.size();
}

void RecordSet::MoveFirst()
{
    requireOpen();
    m_cursor = 0;
}

void RecordSet::MoveNext()
{
    requireOpen();
    if (m_cursor >= m_rows.size())
        throw noCurrentRecord();
    ++m_cursor;
}

const Variant &RecordSet::Fields(const QString &name) const
{
    requireOpen();
    const int index = fieldIndex(name);
    if (index < 0)
        throw itemNotFound();
    return currentRow().at(index);
}

const Variant &RecordSet::Fields(int position) const
{
    requireOpen();
    if (position < 0 || position >= m_fields.size())
        throw itemNotFound();
    return currentRow().at(position);
}

int RecordSet::fieldIndex(const QString &name) const
{
    for (qsizetype i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void RecordSet::Sort(const QString &expression)
{
    requireOpen();
    const QList<rowset::SortKey> keys = rowset::parseSortExpression(expression, *this);
    rowset::sortRows(m_rows, keys);
    m_cursor = 0;
}

qint32 RecordSet::RecordCount() const
{
    requireOpen();
    return qint32(m_rows.size());
}

void RecordSet::Close()
{
    requireOpen();
    m_rows.clear();
    m_fields.clear();
    m_cursor = 0;
    m_open = false;
}

void RecordSet::requireOpen() const
{
    if (!m_open)
        throw rt::RuntimeError::own(ObjectClosed,
                                    QStringLiteral("Operation is not allowed when the object is closed."));
}

const RecordSet::Row &RecordSet::currentRow() const
{
    if (m_cursor >= m_rows.size())
        throw noCurrentRecord();
    return m_rows.at(m_cursor);
}
