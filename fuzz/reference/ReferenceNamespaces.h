// The fuzz target's reference copy of the rowset reader as it was before it
// read in one pass (pugixml after a well-formedness check); the differential
// fuzz target compares the library's reader with it. Not built into the product.
// Namespace resolution for the rowset reader. pugixml keeps names as written
// ("s:AttributeType"), so the reader maps prefixes to the format's namespaces
// from the xmlns attributes in scope and matches names by namespace, whatever
// prefixes a writer chose.
#pragma once

#include <pugixml.hpp>
#include <string_view>
#include <vector>

namespace rowset::reference {

enum class Namespace {
    None,     // no namespace (unprefixed attributes, elements without a default)
    Schema,   // uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882
    DataType, // uuid:C2F41010-65B3-11d1-A29F-00AA00C14882
    Rowset,   // urn:schemas-microsoft-com:rowset
    Row,      // #RowsetSchema (a reference to the schema in the document)
    Other,    // any other (and the reserved prefix xml)
    Undeclared, // a prefix that no xmlns attribute in scope declares
};

struct QualifiedName
{
    Namespace space = Namespace::None;
    std::string_view local;

    bool is(Namespace s, std::string_view name) const { return space == s && local == name; }
};

// The prefixes declared on one element, chained to those of its parents.
class NamespaceScope
{
public:
    NamespaceScope() = default; // nothing declared
    NamespaceScope(const NamespaceScope *parent, pugi::xml_node element);

    // True when an element declares prefixes of its own.
    static bool declaresPrefixes(pugi::xml_node element);
    // True for an attribute name that declares a prefix (xmlns, xmlns:p).
    static bool isDeclaration(const char *attributeName);

    QualifiedName element(const char *name) const;   // unprefixed: default namespace
    QualifiedName attribute(const char *name) const; // unprefixed: no namespace

private:
    struct Binding
    {
        std::string_view prefix; // empty for the default namespace
        Namespace space;
    };

    Namespace lookup(std::string_view prefix) const;
    QualifiedName resolve(std::string_view name, bool useDefault) const;

    const NamespaceScope *m_parent = nullptr;
    std::vector<Binding> m_bindings;
};

} // namespace rowset::reference
