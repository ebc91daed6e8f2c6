// The columns of the rows being read: which column a row attribute names, and
// the text of a column's value, shared with the same text in earlier rows.
#pragma once

#include "rowset/RowsetSchema.h"

#include <array>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rowset {

class RowColumns
{
public:
    RowColumns(Schema &schema, bool nulStandIns);

    // The index in Schema::columns of the column whose row attribute is
    // named so, or -1.
    int find(std::string_view attribute);
    // Makes null the visible columns named in an rs:forcenull list (names
    // separated by blanks).
    void applyForceNull(std::string_view names, RecordSet::Row &values) const;
    // The text of a value of the column at index.
    const QString &text(size_t index, std::string_view raw) { return m_texts[index].get(raw, m_nulStandIns); }

private:
    // The last few distinct texts of a column and their values: a repeated
    // value shares the string instead of allocating a new one.
    class TextCache
    {
    public:
        const QString &get(std::string_view raw, bool nulStandIns);

    private:
        struct Entry
        {
            std::string_view raw{"\0", 1}; // matches no attribute value
            QString value;
        };
        std::array<Entry, 4> m_entries;
        size_t m_next = 0;
    };

    const Schema &m_schema;
    bool m_nulStandIns;
    size_t m_nextColumn = 0;                           // rows usually list their attributes in schema order
    std::vector<TextCache> m_texts;                    // per column
    std::unordered_map<std::string_view, int> m_index; // column by attribute name, for long schemas
};

} // namespace rowset
