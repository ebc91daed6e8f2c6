// RecordSet: an ordered in-memory table with named, typed columns and one
// cursor, the shape in which every server answer is read. Built from rowset
// XML text (see Rowset.h) or column by column by a writer.
#pragma once

#include "core/Variant.h"

#include <QList>
#include <QString>

// One column: its real name, the rowset data type it was declared with
// ("i2", "i4", "string", "number", "boolean", "dateTime", ...; empty when
// none was declared) and whether it may hold nulls.
struct FieldInfo
{
    QString name;
    QString dataType;
    bool nullable = true;
    qint32 maxLength = -1; // -1 when not declared

    friend bool operator==(const FieldInfo &, const FieldInfo &) = default;
};

class RecordSet
{
public:
    using Row = QList<Variant>;

    RecordSet() = default; // closed
    explicit RecordSet(QList<FieldInfo> fields);

    // Building: appends a row; it must have one value per column (else error 5).
    void addRow(Row values);
    // Building: makes room for a known number of rows.
    void reserveRows(qsizetype count);

    bool isOpen() const { return m_open; }
    // Error 3704 when the record set is closed; every operation checks it.
    void requireOpen() const;
    const QList<FieldInfo> &fields() const { return m_fields; }
    const QList<Row> &rows() const { return m_rows; }

    // The record set's EOF: true when the cursor is past the last row (at once
    // for an empty table). Named so because EOF is a C macro.
    bool isEOF() const;
    void MoveFirst();
    void MoveNext(); // at EOF: error 3021

    // Value of a column in the current row, by name (case-insensitive) or by
    // 0-based position. An unknown column is error 3265, no current row 3021.
    const Variant &Fields(const QString &name) const;
    const Variant &Fields(int position) const;
    int fieldIndex(const QString &name) const; // -1 when there is none

    // Reorders the rows by an expression such as "NodeType_ID asc" or
    // "Name desc, ID" (ascending when no direction is given). The sort is
    // stable and nulls come first; the cursor returns to the first row.
    void Sort(const QString &expression);

    qint32 RecordCount() const;
    // Releases the table. Every operation on a closed record set, Close
    // included, is error 3704.
    void Close();

private:
    const Row &currentRow() const;

    QList<FieldInfo> m_fields;
    QList<Row> m_rows;
    qsizetype m_cursor = 0;
    bool m_open = false;
};
