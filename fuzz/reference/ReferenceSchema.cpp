// The fuzz target's reference copy of the rowset reader as it was before it
// read in one pass (pugixml after a well-formedness check); the differential
// fuzz target compares the library's reader with it. Not built into the product.
// Reads the columns of a rowset document from its s:Schema element.
#include "ReferenceSchema.h"

#include "ReferenceWellFormed.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>

namespace rowset::reference {

namespace {

// What an s:AttributeType and its s:datatype say about a column.
struct Declaration
{
    const char *name = nullptr;
    const char *realName = nullptr;
    const char *type = nullptr;
    const char *maxLength = nullptr;
    const char *number = nullptr;
    const char *hidden = nullptr;
    std::optional<bool> nullable;
    std::optional<bool> mayBeNull;
};

bool isTrue(const char *value)
{
    return std::strcmp(value, "true") == 0 || std::strcmp(value, "1") == 0 || std::strcmp(value, "True") == 0;
}

rt::RuntimeError schemaError(const QString &what, pugi::xml_node node, const Locator &locator)
{
    return invalidDocument(QStringLiteral("%1 (schema, %2).").arg(what, locator.describe(node.name() - 1)));
}

void collect(pugi::xml_node element, const NamespaceScope &scope, Declaration &d)
{
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
        const QualifiedName q = scope.attribute(a.name());
        if (q.is(Namespace::None, "name") && !d.name)
            d.name = a.value();
        else if (q.is(Namespace::Rowset, "name"))
            d.realName = a.value();
        else if (q.is(Namespace::DataType, "type"))
            d.type = a.value();
        else if (q.is(Namespace::DataType, "maxLength"))
            d.maxLength = a.value();
        else if (q.is(Namespace::Rowset, "number"))
            d.number = a.value();
        else if (q.is(Namespace::Rowset, "hidden"))
            d.hidden = a.value();
        else if (q.is(Namespace::Rowset, "nullable"))
            d.nullable = isTrue(a.value());
        else if (q.is(Namespace::Rowset, "maybenull"))
            d.mayBeNull = isTrue(a.value());
    }
}

std::optional<qint64> wholeNumber(const char *text)
{
    qint64 value = 0;
    const char *end = text + std::strlen(text);
    const auto result = std::from_chars(text, end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

// A declared length that is not a number, or does not fit, counts as none.
qint32 lengthOf(const char *text)
{
    const std::optional<qint64> length = wholeNumber(text);
    return length && *length >= 0 && *length <= INT32_MAX ? qint32(*length) : -1;
}

// A column may hold nulls when either attribute says so, or when neither
// says anything.
bool nullableOf(const Declaration &d)
{
    if (d.nullable.value_or(false) || d.mayBeNull.value_or(false))
        return true;
    return !d.nullable.has_value() && !d.mayBeNull.has_value();
}

struct Ordered
{
    SchemaColumn column;
    qint64 number;
    pugi::xml_node node;
};

Ordered readColumn(pugi::xml_node attributeType, const NamespaceScope &parentScope, const Locator &locator,
                   bool nulStandIns, qint64 previousNumber)
{
    const NamespaceScope scope(&parentScope, attributeType);
    Declaration d;
    collect(attributeType, scope, d);
    for (pugi::xml_node child = attributeType.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const NamespaceScope childScope(&scope, child);
        if (childScope.element(child.name()).is(Namespace::Schema, "datatype"))
            collect(child, childScope, d);
    }
    if (!d.name || !*d.name)
        throw schemaError(QStringLiteral("A column has no name"), attributeType, locator);
    Ordered result{{}, previousNumber, attributeType};
    if (d.number) {
        const auto number = wholeNumber(d.number);
        if (!number)
            throw schemaError(QStringLiteral("The column \"%1\" has the ordinal \"%2\", which is not a number")
                                  .arg(attributeText(d.name, nulStandIns), attributeText(d.number, nulStandIns)),
                              attributeType, locator);
        result.number = *number;
    }
    SchemaColumn &c = result.column;
    c.attribute = d.name;
    c.field.name = attributeText(d.realName ? d.realName : d.name, nulStandIns);
    c.field.dataType = attributeText(d.type ? d.type : "", nulStandIns);
    c.field.nullable = nullableOf(d);
    c.field.maxLength = d.maxLength ? lengthOf(d.maxLength) : -1;
    c.type = columnType(d.type ? d.type : "");
    c.position = d.hidden && isTrue(d.hidden) ? -2 : -1; // -2 marks a hidden column until positions are given
    return result;
}

// Sorting the names keeps a schema of many columns quick to check.
void checkUnique(const std::vector<Ordered> &columns, const Locator &locator)
{
    std::vector<size_t> order(columns.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&columns](size_t a, size_t b) {
        return columns[a].column.attribute < columns[b].column.attribute;
    });
    for (size_t i = 1; i < order.size(); ++i) {
        const Ordered &repeated = columns[order[i]];
        if (repeated.column.attribute == columns[order[i - 1]].column.attribute)
            throw schemaError(QStringLiteral("The column \"%1\" is declared twice")
                                  .arg(QString::fromStdString(repeated.column.attribute)),
                              repeated.node, locator);
    }
}

// Gives the visible columns their positions in ordinal order (document
// order among equal or missing ordinals).
Schema arrange(std::vector<Ordered> ordered)
{
    std::vector<size_t> order(ordered.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&ordered](size_t a, size_t b) { return ordered[a].number < ordered[b].number; });
    Schema schema;
    for (const size_t i : order) {
        SchemaColumn &c = ordered[i].column;
        if (c.position == -2) {
            c.position = -1;
            continue;
        }
        c.position = int(schema.fields.size());
        schema.fields.append(c.field);
    }
    for (Ordered &o : ordered)
        schema.columns.push_back(std::move(o.column));
    return schema;
}

pugi::xml_node findRowType(pugi::xml_node schema, const NamespaceScope &scope)
{
    for (pugi::xml_node child = schema.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element
            && NamespaceScope(&scope, child).element(child.name()).is(Namespace::Schema, "ElementType"))
            return child;
    }
    return {};
}

// The value of the unprefixed attribute name of an element, or null.
const char *plainAttribute(pugi::xml_node element, const NamespaceScope &scope, std::string_view name)
{
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
        if (scope.attribute(a.name()).is(Namespace::None, name))
            return a.value();
    }
    return nullptr;
}

// An s:AttributeType among the children of parent whose name is name.
pugi::xml_node findAttributeType(pugi::xml_node parent, const NamespaceScope &scope, const char *name)
{
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const NamespaceScope childScope(&scope, child);
        const char *declared = plainAttribute(child, childScope, "name");
        if (childScope.element(child.name()).is(Namespace::Schema, "AttributeType") && declared
            && std::strcmp(declared, name) == 0)
            return child;
    }
    return {};
}

} // namespace

// Columns are the row type's own s:AttributeType elements and the ones of
// the schema that it names with s:attribute type='...', in document order.
// A reference to one of its own columns adds nothing; one to a type the
// schema does not declare is an error.
Schema readSchema(pugi::xml_node schemaNode, const NamespaceScope &parentScope, const Locator &locator,
                  bool nulStandIns)
{
    const NamespaceScope schemaScope(&parentScope, schemaNode);
    const pugi::xml_node rowType = findRowType(schemaNode, schemaScope);
    if (!rowType)
        throw schemaError(QStringLiteral("The schema declares no row type (s:ElementType)"), schemaNode, locator);
    const NamespaceScope scope(&schemaScope, rowType);
    std::vector<Ordered> ordered;
    qint64 number = 0;
    for (pugi::xml_node child = rowType.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const NamespaceScope childScope(&scope, child);
        const QualifiedName q = childScope.element(child.name());
        if (q.is(Namespace::Schema, "ElementType") || q.is(Namespace::Schema, "element"))
            throw schemaError(QStringLiteral("Nested (hierarchical) record sets are not supported"), child, locator);
        if (q.is(Namespace::Schema, "AttributeType")) {
            ordered.push_back(readColumn(child, scope, locator, nulStandIns, number));
        } else if (q.is(Namespace::Schema, "attribute")) {
            const char *type = plainAttribute(child, childScope, "type");
            if (!type || findAttributeType(rowType, scope, type))
                continue;
            const pugi::xml_node declared = findAttributeType(schemaNode, schemaScope, type);
            if (!declared)
                throw schemaError(QStringLiteral("The row type names the column type \"%1\", which the schema does "
                                                 "not declare")
                                      .arg(attributeText(type, nulStandIns)),
                                  child, locator);
            ordered.push_back(readColumn(declared, schemaScope, locator, nulStandIns, number));
        } else {
            continue;
        }
        number = ordered.back().number;
    }
    checkUnique(ordered, locator);
    Schema schema = arrange(std::move(ordered));
    const char *rowName = rowType.attribute("name").value();
    schema.rowName = *rowName ? rowName : "row";
    return schema;
}

} // namespace rowset::reference
