// Reads rowset XML into a RecordSet: the usual document in one pass (see
// RowsetOnePass.h); any other is parsed with pugixml in place after the
// well-formedness check, its schema and data found by namespace and every row
// attribute converted straight from the parsed characters.
#include "rowset/Rowset.h"

#include "rowset/RowsetColumns.h"
#include "rowset/RowsetOnePass.h"
#include "rowset/RowsetSchema.h"
#include "rowset/RowsetWellFormed.h"

#include <cstring>
#include <functional>
#include <optional>

namespace rowset {

namespace {

// Converts the rows of rs:data, pending changes included, into a record set.
class RowReader
{
public:
    RowReader(Schema &schema, const Locator &locator, bool nulStandIns, RecordSet &records)
        : m_schema(schema), m_locator(locator), m_nulStandIns(nulStandIns), m_records(records),
          m_columnCount(schema.fields.size()), m_columns(schema, nulStandIns)
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
    void convert(SchemaColumn &column, const char *text, pugi::xml_node row, Variant &value);
    RecordSet::Row emptyRow() const { return RecordSet::Row(m_columnCount); }

    Schema &m_schema;
    const Locator &m_locator;
    bool m_nulStandIns;
    RecordSet &m_records;
    qsizetype m_columnCount;
    RowColumns m_columns;
    qint64 m_rowNumber = 0; // of the row being read, counting every row element
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
        const int index = m_columns.find(name);
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
        m_columns.applyForceNull(forceNull, values);
    return declares;
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
        value = Variant::text(m_columns.text(size_t(&column - m_schema.columns.data()), raw));
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

// Parses the UTF-8 buffer in place with pugixml after the check; source
// rebuilds the original for error positions.
RecordSet parseDom(QByteArray &buffer, const std::function<QByteArray()> &source)
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

// The usual document in one pass, which leaves the buffer as it is; any
// other through the DOM.
RecordSet parse(QByteArray &buffer, const std::function<QByteArray()> &source)
{
    const char *data = buffer.constData();
    if (std::optional<RecordSet> records = readInOnePass(data, buffer.size(), Locator(data, source)))
        return *std::move(records);
    return parseDom(buffer, source);
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

} // namespace rowset
