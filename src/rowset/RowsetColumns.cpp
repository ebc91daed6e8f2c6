// Column lookup and shared texts for the rows of a rowset document.
#include "rowset/RowsetColumns.h"

#include "rowset/RowsetWellFormed.h"

namespace rowset {

namespace {

// Up to this many columns, a row attribute's column is searched in turn.
constexpr size_t kShortSchema = 16;

} // namespace

RowColumns::RowColumns(Schema &schema, bool nulStandIns)
    : m_schema(schema), m_nulStandIns(nulStandIns), m_texts(schema.columns.size())
{
    if (schema.columns.size() > kShortSchema) {
        for (size_t i = 0; i < schema.columns.size(); ++i)
            m_index.emplace(schema.columns[i].attribute, int(i));
    }
}

// Tries the column after the last one found first; a short schema is then
// searched in turn, a long one through its index.
int RowColumns::find(std::string_view attribute)
{
    const size_t count = m_schema.columns.size();
    int found = -1;
    if (count > 0 && m_schema.columns[m_nextColumn].attribute == attribute) {
        found = int(m_nextColumn);
    } else if (count <= kShortSchema) {
        for (size_t i = 0; i < count && found < 0; ++i)
            found = m_schema.columns[i].attribute == attribute ? int(i) : -1;
    } else {
        const auto it = m_index.find(attribute);
        found = it == m_index.end() ? -1 : it->second;
    }
    if (found >= 0)
        m_nextColumn = size_t(found) + 1 == count ? 0 : size_t(found) + 1;
    return found;
}

void RowColumns::applyForceNull(std::string_view list, RecordSet::Row &values) const
{
    while (!list.empty()) {
        const size_t start = list.find_first_not_of(" \t\r\n");
        if (start == std::string_view::npos)
            break;
        list.remove_prefix(start);
        const size_t end = std::min(list.find_first_of(" \t\r\n"), list.size());
        const std::string_view name = list.substr(0, end);
        list.remove_prefix(end);
        for (const SchemaColumn &column : m_schema.columns) {
            if (column.attribute == name && column.position >= 0) {
                values[column.position] = Variant();
                break;
            }
        }
    }
}

const QString &RowColumns::TextCache::get(std::string_view raw, bool nulStandIns)
{
    for (Entry &e : m_entries) {
        if (e.raw == raw)
            return e.value;
    }
    Entry &e = m_entries[m_next];
    m_next = (m_next + 1) % m_entries.size();
    e.raw = raw;
    e.value = attributeText(raw, nulStandIns);
    return e.value;
}

} // namespace rowset
