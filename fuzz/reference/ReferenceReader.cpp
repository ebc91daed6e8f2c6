// The fuzz target's reference copy of the rowset reader as it was before it
// read in one pass (pugixml after a well-formedness check); the differential
// fuzz target compares the library's reader with it. Not built into the product.
// Reads rowset XML into a RecordSet: parses the document with pugixml in
// place, finds the schema and the data by namespace, and converts every row
// attribute straight from the parsed characters.
#include "ReferenceReader.h"

#include "ReferenceSchema.h"
#include "ReferenceWellFormed.h"

#include <array>
#include <cstring>
#include <functional>
#include <optional>
#include <unordered_map>

namespace rowset::reference {

namespace {

// Attribute values keep TAB, CR and LF exactly as written, so neither
// whitespace conversion nor end-of-line normalisation is asked for.
constexpr unsigned kParseOptions = pugi::parse_escapes | pugi::parse_cdata;

// Up to this many columns, a row attribute's column is searched in turn.
constexpr size_t kShortSchema = 16;

// The last few distinct texts of a column and their converted values: a
// repeated value shares the string instead of allocating a new one.
class TextCache
{
public:
    const QString &get(std::string_view raw, bool nulStandIns)
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

private:
    struct Entry
    {
        std::string_view raw{"\0", 1}; // matches no attribute value
        QString value;
    };
    std::array<Entry, 4> m_entries;
    size_t m_next = 0;
};

// Converts the rows of rs:data, pending changes included, into a record set.
class RowReader
{
public:
    RowReader(Schema &schema, const Locator &locator, bool nulStandIns, RecordSet &records)
        : m_schema(schema), m_locator(locator), m_nulStandIns(nulStandIns), m_records(records),
          m_columnCount(schema.fields.size())
    {
    }

    void readData(pugi::xml_node data, const NamespaceScope &scope);

private:
    QualifiedName nameOf(pugi::xml_node element, const NamespaceScope &scope, const NamespaceScope *&inner,
                         NamespaceScope &storage) const;
    bool isRow(const QualifiedName &name) const;
    bool readPlainRow(pugi::xml_node row, const NamespaceScope &scope);
    void readChild(pugi::xml_node child, const NamespaceScope &scope);
    void readInsert(pugi::xml_node insert, const NamespaceScope &scope);
    void readUpdate(pugi::xml_node update, const NamespaceScope &scope);
    void skipDeleted(pugi::xml_node deleted, const NamespaceScope &scope);
    bool applyRow(pugi::xml_node row, const NamespaceScope &scope, RecordSet::Row &values);
    void applyForceNull(const char *names, RecordSet::Row &values) const;
    int findColumn(const char *attribute);
    void convert(SchemaColumn &column, const char *text, pugi::xml_node row, Variant &value);
    RecordSet::Row emptyRow() const { return RecordSet::Row(m_columnCount); }

    Schema &m_schema;
    const Locator &m_locator;
    bool m_nulStandIns;
    RecordSet &m_records;
    qsizetype m_columnCount;
    size_t m_nextColumn = 0;                           // rows usually list their attributes in schema order
    qint64 m_rowNumber = 0;                            // of the row being read, counting every row element
    std::vector<TextCache> m_texts;                    // per column
    std::unordered_map<std::string_view, int> m_index; // column by attribute name, for long schemas
};

QualifiedName RowReader::nameOf(pugi::xml_node element, const NamespaceScope &scope, const NamespaceScope *&inner,
                                NamespaceScope &storage) const
{
    inner = &scope;
    if (NamespaceScope::declaresPrefixes(element)) {
        storage = NamespaceScope(&scope, element);
        inner = &storage;
    }
    const QualifiedName name = inner->element(element.name());
    if (name.space == Namespace::Undeclared)
        throw invalidDocument(QStringLiteral("the XML is not well formed at %1: the prefix of the element \"%2\" is "
                                             "not declared.")
                                  .arg(m_locator.describe(element.name() - 1), QString::fromUtf8(element.name())));
    return name;
}

bool RowReader::isRow(const QualifiedName &name) const
{
    return name.space == Namespace::Row && name.local == m_schema.rowName;
}

void RowReader::readData(pugi::xml_node data, const NamespaceScope &scope)
{
    qsizetype count = 0;
    for (pugi::xml_node child = data.first_child(); child; child = child.next_sibling())
        ++count;
    m_records.reserveRows(count);
    m_texts.assign(m_schema.columns.size(), {});
    if (m_schema.columns.size() > kShortSchema) {
        for (size_t i = 0; i < m_schema.columns.size(); ++i)
            m_index.emplace(m_schema.columns[i].attribute, int(i));
    }
    for (pugi::xml_node child = data.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element)
            readChild(child, scope);
    }
}

// The common case: an element that the enclosing scope names a row and that
// declares no prefixes of its own. False when that does not hold (nothing is
// added then); an error is only raised for a true row.
bool RowReader::readPlainRow(pugi::xml_node row, const NamespaceScope &scope)
{
    if (!isRow(scope.element(row.name())))
        return false;
    const qint64 rowNumber = m_rowNumber;
    RecordSet::Row values = emptyRow();
    try {
        if (applyRow(row, scope, values)) {
            m_rowNumber = rowNumber;
            return false;
        }
    } catch (const rt::RuntimeError &) {
        if (!NamespaceScope::declaresPrefixes(row))
            throw;
        m_rowNumber = rowNumber;
        return false;
    }
    m_records.addRow(std::move(values));
    return true;
}

void RowReader::readChild(pugi::xml_node child, const NamespaceScope &scope)
{
    if (readPlainRow(child, scope))
        return;
    NamespaceScope storage;
    const NamespaceScope *inner = nullptr;
    const QualifiedName name = nameOf(child, scope, inner, storage);
    if (isRow(name)) {
        RecordSet::Row values = emptyRow();
        applyRow(child, *inner, values);
        m_records.addRow(std::move(values));
    } else if (name.is(Namespace::Rowset, "insert")) {
        readInsert(child, *inner);
    } else if (name.is(Namespace::Rowset, "update")) {
        readUpdate(child, *inner);
    } else if (name.is(Namespace::Rowset, "delete")) {
        skipDeleted(child, *inner);
    }
}

void RowReader::readInsert(pugi::xml_node insert, const NamespaceScope &scope)
{
    for (pugi::xml_node child = insert.first_child(); child; child = child.next_sibling()) {
        NamespaceScope storage;
        const NamespaceScope *inner = nullptr;
        if (child.type() == pugi::node_element && isRow(nameOf(child, scope, inner, storage))) {
            RecordSet::Row values = emptyRow();
            applyRow(child, *inner, values);
            m_records.addRow(std::move(values));
        }
    }
}

// rs:original holds the row as it was; the row after it lists the changed
// columns, merged over the original. An original left without a changed row
// stands as it is.
void RowReader::readUpdate(pugi::xml_node update, const NamespaceScope &scope)
{
    std::optional<RecordSet::Row> original;
    for (pugi::xml_node child = update.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        NamespaceScope storage;
        const NamespaceScope *inner = nullptr;
        const QualifiedName name = nameOf(child, scope, inner, storage);
        if (name.is(Namespace::Rowset, "original")) {
            if (original)
                m_records.addRow(*std::move(original));
            original = emptyRow();
            for (pugi::xml_node row = child.first_child(); row; row = row.next_sibling()) {
                NamespaceScope rowStorage;
                const NamespaceScope *rowScope = nullptr;
                if (row.type() == pugi::node_element && isRow(nameOf(row, *inner, rowScope, rowStorage)))
                    applyRow(row, *rowScope, *original);
            }
        } else if (isRow(name)) {
            RecordSet::Row values = original ? *std::move(original) : emptyRow();
            original.reset();
            applyRow(child, *inner, values);
            m_records.addRow(std::move(values));
        }
    }
    if (original)
        m_records.addRow(*std::move(original));
}

void RowReader::skipDeleted(pugi::xml_node deleted, const NamespaceScope &scope)
{
    for (pugi::xml_node child = deleted.first_child(); child; child = child.next_sibling()) {
        NamespaceScope storage;
        const NamespaceScope *inner = nullptr;
        if (child.type() == pugi::node_element && isRow(nameOf(child, scope, inner, storage)))
            ++m_rowNumber;
    }
}

// Returns true when the row declares prefixes (the scope passed in may then
// not be the row's own).
bool RowReader::applyRow(pugi::xml_node row, const NamespaceScope &scope, RecordSet::Row &values)
{
    ++m_rowNumber;
    bool declares = false;
    const char *forceNull = nullptr;
    for (pugi::xml_attribute a = row.first_attribute(); a; a = a.next_attribute()) {
        const char *name = a.name();
        const int index = findColumn(name);
        if (index >= 0) {
            SchemaColumn &column = m_schema.columns[size_t(index)];
            if (column.position >= 0)
                convert(column, a.value(), row, values[column.position]);
        } else if (NamespaceScope::isDeclaration(name)) {
            declares = true;
        } else if (std::strchr(name, ':') && scope.attribute(name).is(Namespace::Rowset, "forcenull")) {
            forceNull = a.value();
        }
    }
    if (forceNull)
        applyForceNull(forceNull, values);
    return declares;
}

void RowReader::applyForceNull(const char *names, RecordSet::Row &values) const
{
    std::string_view list(names);
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

// strcmp for the short names of columns, without the call.
inline bool sameName(const char *a, const char *b)
{
    for (; *a == *b; ++a, ++b) {
        if (*a == '\0')
            return true;
    }
    return false;
}

// Tries the column after the last one found first; a short schema is then
// searched in turn, a long one through its index.
int RowReader::findColumn(const char *attribute)
{
    const size_t count = m_schema.columns.size();
    int found = -1;
    if (count > 0 && sameName(m_schema.columns[m_nextColumn].attribute.c_str(), attribute)) {
        found = int(m_nextColumn);
    } else if (count <= kShortSchema) {
        for (size_t i = 0; i < count && found < 0; ++i)
            found = sameName(m_schema.columns[i].attribute.c_str(), attribute) ? int(i) : -1;
    } else {
        const auto it = m_index.find(std::string_view(attribute));
        found = it == m_index.end() ? -1 : it->second;
    }
    if (found >= 0)
        m_nextColumn = size_t(found) + 1 == count ? 0 : size_t(found) + 1;
    return found;
}

QString shortened(const char *text, bool nulStandIns)
{
    const QString value = attributeText(text, nulStandIns);
    return value.size() > 40 ? value.left(40) + QStringLiteral("...") : value;
}

void RowReader::convert(SchemaColumn &column, const char *text, pugi::xml_node row, Variant &value)
{
    const std::string_view raw(text);
    if (column.type.kind == ValueKind::Text) {
        value = Variant::text(m_texts[size_t(&column - m_schema.columns.data())].get(raw, m_nulStandIns));
        return;
    }
    ConversionFailure failure;
    if (!convertValue(column.type, raw, value, failure))
        throw rt::RuntimeError::own(
            failure.number,
            QStringLiteral("Rowset XML cannot be read: the value \"%1\" of column \"%2\" (%3) in row %4 (%5) is %6.")
                .arg(shortened(text, m_nulStandIns), column.field.name, column.field.dataType)
                .arg(m_rowNumber)
                .arg(m_locator.describe(row.name() - 1), QString::fromLatin1(failure.reason)));
}

pugi::xml_node findChild(pugi::xml_node parent, const NamespaceScope &scope, Namespace space, const char *local)
{
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && NamespaceScope(&scope, child).element(child.name()).is(space, local))
            return child;
    }
    return {};
}

RecordSet readDocument(const pugi::xml_document &document, const Locator &locator, bool nulStandIns)
{
    const pugi::xml_node root = document.document_element();
    const NamespaceScope scope(nullptr, root);
    const pugi::xml_node schemaNode = findChild(root, scope, Namespace::Schema, "Schema");
    if (!schemaNode)
        throw invalidDocument(
            QStringLiteral("the root element (%1) holds no schema (s:Schema).").arg(locator.describe(root.name() - 1)));
    const pugi::xml_node data = findChild(root, scope, Namespace::Rowset, "data");
    if (!data)
        throw invalidDocument(
            QStringLiteral("the root element (%1) holds no data (rs:data).").arg(locator.describe(root.name() - 1)));
    Schema schema = readSchema(schemaNode, scope, locator, nulStandIns);
    RecordSet records(schema.fields);
    RowReader rows(schema, locator, nulStandIns, records);
    rows.readData(data, NamespaceScope(&scope, data));
    return records;
}

// pugixml reports a text that ends too early at its last character; the
// message names the end itself.
rt::RuntimeError notWellFormed(const pugi::xml_parse_result &result, qsizetype size, const Locator &locator)
{
    const bool atEnd = qsizetype(result.offset) >= size - 1;
    return invalidDocument(QStringLiteral("the XML is not well formed at %1%2: %3.")
                               .arg(locator.describe(atEnd ? size : qsizetype(result.offset)),
                                    atEnd ? QStringLiteral(" (the end of the text)") : QString(),
                                    QString::fromLatin1(result.description())));
}

// Parses the UTF-8 buffer in place; source rebuilds the original for error
// positions.
RecordSet parse(QByteArray &buffer, const std::function<QByteArray()> &source)
{
    char *data = buffer.data(); // detaches: parsing writes into the buffer
    const Locator locator(data, source);
    const bool nulStandIns = checkWellFormed(data, buffer.size(), locator);
    pugi::xml_document document;
    const pugi::xml_parse_result result =
        document.load_buffer_inplace(data, size_t(buffer.size()), kParseOptions, pugi::encoding_utf8);
    if (!result)
        throw notWellFormed(result, buffer.size(), locator);
    return readDocument(document, locator, nulStandIns);
}

} // namespace

RecordSet read(const QString &text)
{
    QByteArray buffer = utf8FromText(text);
    return parse(buffer, [&text] { return utf8FromText(text); });
}

RecordSet readBytes(const QByteArray &bytes)
{
    QByteArray buffer = utf8FromBytes(bytes);
    return parse(buffer, [&bytes] { return utf8FromBytes(bytes); });
}

} // namespace rowset::reference
