// The one-pass rowset reader: a listener on the well-formedness check that
// reads the schema from a pugixml parse of the document's head and converts
// each row's attributes straight from the checked bytes. Whatever it is not
// sure of, pugixml's view of the bytes included, it declines.
#include "rowset/RowsetOnePass.h"

#include "rowset/RowsetColumns.h"
#include "rowset/RowsetNamespaces.h"
#include "rowset/RowsetSchema.h"
#include "rowset/RowsetWellFormed.h"

#include <algorithm>
#include <string>

namespace rowset {

namespace {

// Thrown to leave the document to the DOM reader.
struct Declined
{
};

[[noreturn]] void decline() { throw Declined{}; }

// A byte pugixml takes inside a name: letters, digits, '_', ':', '-', '.'
// and every byte from 0x80 on. (The check has made sure of the first.)
bool isNameByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return ((u | 0x20) >= 'a' && (u | 0x20) <= 'z') || (u >= '0' && u <= '9') || u == '_' || u == ':' || u == '-'
           || u == '.' || u >= 0x80;
}

bool isPugiName(std::string_view name)
{
    for (const char c : name) {
        if (!isNameByte(c))
            return false;
    }
    return !name.empty();
}

bool isDeclaration(std::string_view name) { return name.starts_with("xmlns") && (name.size() == 5 || name[5] == ':'); }

// An end tag's content as pugixml takes it for the element name: the name,
// then blanks only.
bool endsElement(std::string_view content, std::string_view name)
{
    if (!content.starts_with(name))
        return false;
    for (const char c : content.substr(name.size())) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

// The local part of a name, after its prefix.
std::string_view localPart(std::string_view name)
{
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

void appendUtf8(std::string &out, quint32 c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The value of one checked reference ("#x26", "amp", ...) appended.
void appendReference(std::string &out, std::string_view reference)
{
    if (reference.front() == '#') {
        const bool hex = reference.size() > 1 && reference[1] == 'x';
        quint32 value = 0;
        for (const char c : reference.substr(hex ? 2 : 1)) {
            const quint32 digit = c <= '9' ? quint32(c - '0') : quint32((c | 0x20) - 'a' + 10);
            value = value * (hex ? 16 : 10) + digit;
        }
        appendUtf8(out, value);
        return;
    }
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'}};
    for (const auto &[name, character] : kEntities) {
        if (reference == name)
            out += character;
    }
}

class OnePassReader final : public MarkupListener
{
public:
    OnePassReader(const char *buffer, qsizetype size) : m_buffer(buffer), m_size(size) {}

    std::optional<RecordSet> read(const Locator &locator);

    bool startTag(int depth, std::string_view name) override;
    void attribute(std::string_view name, std::string_view value, bool references) override;
    void startTagEnd(bool empty) override;
    void endTag(int depth, std::string_view content) override;
    void instruction() override;
    void textEnds() override { decline(); }
    void nulInValue() override { decline(); } // the DOM reader keeps it, in a buffer of its own

private:
    enum class State { Head, DataTag, Rows, RowTag, AfterData, AfterRoot };

    void readHead(std::string_view dataName);
    void reserveRows(const char *row);
    bool isRow(std::string_view name);
    void rowAttribute(std::string_view name, std::string_view value, bool references);
    std::string_view decoded(std::string_view value);

    const char *m_buffer;
    qsizetype m_size;
    State m_state = State::Head;
    std::string_view m_rootName;
    std::string_view m_dataName;
    std::string_view m_rowName; // the row elements' name as written, once one was seen
    QByteArray m_head;          // the text before rs:data, the root closed after it, parsed in place
    pugi::xml_document m_document;
    std::optional<NamespaceScope> m_scope; // of the root element
    std::optional<Schema> m_schema;
    std::optional<RecordSet> m_records;
    std::optional<RowColumns> m_columns;
    std::vector<bool> m_plainNames; // per column: its row attribute name is one pugixml takes
    RecordSet::Row m_row;
    std::optional<std::string> m_forceNull;
    std::string m_decoded;
    const char *m_firstRow = nullptr;
};

std::optional<RecordSet> OnePassReader::read(const Locator &locator)
{
    try {
        checkWellFormed(m_buffer, m_size, locator, *this);
    } catch (const Declined &) {
        return std::nullopt;
    }
    if (m_state != State::AfterRoot)
        return std::nullopt;
    return std::move(m_records);
}

bool OnePassReader::startTag(int depth, std::string_view name)
{
    switch (m_state) {
    case State::Head:
        if (depth == 0)
            m_rootName = name;
        if (depth != 1 || localPart(name) != "data")
            return false;
        readHead(name);
        m_state = State::DataTag;
        return true;
    case State::Rows:
        if (!isRow(name))
            decline();
        reserveRows(name.data());
        m_row = RecordSet::Row(m_schema->fields.size());
        m_forceNull.reset();
        m_state = State::RowTag;
        return true;
    default: decline();
    }
}

// The schema comes from a DOM of the head, which holds what pugixml parses
// of the document up to the data: the same bytes but for the root's end tag.
// The data element must be the first of the root's children in the rowset
// namespace, and the schema before it.
void OnePassReader::readHead(std::string_view dataName)
{
    const qsizetype at = qsizetype(dataName.data() - 1 - m_buffer);
    m_head.reserve(at + qsizetype(m_rootName.size()) + 3);
    m_head.append(m_buffer, at).append("</").append(m_rootName.data(), qsizetype(m_rootName.size())).append('>');
    if (!m_document.load_buffer_inplace(m_head.data(), size_t(m_head.size()), kParseOptions, pugi::encoding_utf8))
        decline();
    const pugi::xml_node root = m_document.document_element();
    m_scope.emplace(nullptr, root);
    const pugi::xml_node schema = findChild(root, *m_scope, Namespace::Schema, "Schema");
    if (!schema || findChild(root, *m_scope, Namespace::Rowset, "data")
        || !m_scope->element(std::string(dataName).c_str()).is(Namespace::Rowset, "data"))
        decline();
    const QByteArray head = m_head;
    const Locator locator(m_head.constData(), [&head] { return head; });
    try {
        m_schema = readSchema(schema, *m_scope, locator, false);
    } catch (const rt::RuntimeError &) {
        decline();
    }
    m_dataName = dataName;
    m_records.emplace(m_schema->fields);
    m_columns.emplace(*m_schema, false);
    for (const SchemaColumn &column : m_schema->columns)
        m_plainNames.push_back(isPugiName(column.attribute));
}

// At the second row, room for as many more rows as the first one's length
// leaves room for in the rest of the text.
void OnePassReader::reserveRows(const char *row)
{
    if (!m_firstRow) {
        m_firstRow = row;
    } else if (m_records->RecordCount() == 1) {
        const qsizetype rest = m_size - qsizetype(row - m_buffer);
        m_records->reserveRows(1 + rest / std::max<qsizetype>(row - m_firstRow, 1));
    }
}

// A row element as pugixml would take it; only rows are expected in the data.
bool OnePassReader::isRow(std::string_view name)
{
    if (name == m_rowName)
        return true;
    if (!m_scope->element(std::string(name).c_str()).is(Namespace::Row, m_schema->rowName) || !isPugiName(name))
        return false;
    m_rowName = name;
    return true;
}

void OnePassReader::attribute(std::string_view name, std::string_view value, bool references)
{
    if (m_state == State::RowTag)
        rowAttribute(name, value, references);
    else if (isDeclaration(name) || !isPugiName(name))
        decline(); // the data element's own: a declaration would change its scope
}

// As the DOM reader takes a row's attribute: a column's value, a declaration
// (left to it) or rs:forcenull; any other is ignored.
void OnePassReader::rowAttribute(std::string_view name, std::string_view value, bool references)
{
    const std::string_view text = references ? decoded(value) : value;
    const int index = m_columns->find(name);
    if (index >= 0) {
        if (!m_plainNames[size_t(index)])
            decline();
        const SchemaColumn &column = m_schema->columns[size_t(index)];
        if (column.position < 0)
            return;
        Variant &field = m_row[column.position];
        if (column.type.kind == ValueKind::Text) {
            field = Variant::text(references ? attributeText(text, false) : m_columns->text(size_t(index), text));
            return;
        }
        ConversionFailure failure;
        if (!convertValue(column.type, text, field, failure))
            decline();
        return;
    }
    if (!isPugiName(name) || isDeclaration(name))
        decline();
    if (name.find(':') != std::string_view::npos
        && m_scope->attribute(std::string(name).c_str()).is(Namespace::Rowset, "forcenull"))
        m_forceNull = std::string(text);
}

void OnePassReader::startTagEnd(bool empty)
{
    if (m_state == State::DataTag) {
        if (!isPugiName(m_dataName))
            decline();
        m_state = empty ? State::AfterData : State::Rows;
        return;
    }
    if (!empty)
        decline();
    if (m_forceNull)
        m_columns->applyForceNull(*m_forceNull, m_row);
    m_records->addRow(std::move(m_row));
    m_state = State::Rows;
}

void OnePassReader::endTag(int depth, std::string_view content)
{
    if (m_state == State::Head && depth > 0)
        return; // the head is pugixml's to check
    if (m_state == State::Rows && depth == 1 && endsElement(content, m_dataName))
        m_state = State::AfterData;
    else if (m_state == State::AfterData && depth == 0 && endsElement(content, m_rootName))
        m_state = State::AfterRoot;
    else
        decline();
}

void OnePassReader::instruction()
{
    if (m_state != State::Head)
        decline(); // pugixml checks its target, which the check does not
}

// The value with its (checked) references replaced by what they stand for.
std::string_view OnePassReader::decoded(std::string_view value)
{
    m_decoded.clear();
    for (size_t amp = value.find('&'); amp != std::string_view::npos; amp = value.find('&')) {
        m_decoded.append(value.substr(0, amp));
        const size_t semicolon = value.find(';', amp);
        appendReference(m_decoded, value.substr(amp + 1, semicolon - amp - 1));
        value.remove_prefix(semicolon + 1);
    }
    m_decoded.append(value);
    return m_decoded;
}

} // namespace

std::optional<RecordSet> readInOnePass(const char *buffer, qsizetype size, const Locator &locator)
{
    return OnePassReader(buffer, size).read(locator);
}

} // namespace rowset
