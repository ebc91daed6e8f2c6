// Prefix-to-namespace mapping for the rowset reader.
#include "rowset/RowsetNamespaces.h"

#include <cstring>

namespace rowset {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// The uuid namespaces are compared without regard to case, as writers differ
// in the case of their hex digits.
Namespace classify(std::string_view uri)
{
    if (uri.empty())
        return Namespace::None;
    if (equalsIgnoringCase(uri, "uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882"))
        return Namespace::Schema;
    if (equalsIgnoringCase(uri, "uuid:C2F41010-65B3-11d1-A29F-00AA00C14882"))
        return Namespace::DataType;
    if (uri == "urn:schemas-microsoft-com:rowset")
        return Namespace::Rowset;
    if (uri.front() == '#')
        return Namespace::Row;
    return Namespace::Other;
}

} // namespace

bool NamespaceScope::isDeclaration(const char *name)
{
    return name[0] == 'x' && std::strncmp(name, "xmlns", 5) == 0 && (name[5] == '\0' || name[5] == ':');
}

NamespaceScope::NamespaceScope(const NamespaceScope *parent, pugi::xml_node element) : m_parent(parent)
{
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
        const char *name = a.name();
        if (isDeclaration(name))
            m_bindings.push_back({std::string_view(name[5] == ':' ? name + 6 : name + 5), classify(a.value())});
    }
}

bool NamespaceScope::declaresPrefixes(pugi::xml_node element)
{
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
        if (isDeclaration(a.name()))
            return true;
    }
    return false;
}

QualifiedName NamespaceScope::element(const char *name) const { return resolve(name, true); }

QualifiedName NamespaceScope::attribute(const char *name) const { return resolve(name, false); }

Namespace NamespaceScope::lookup(std::string_view prefix) const
{
    for (const NamespaceScope *scope = this; scope; scope = scope->m_parent) {
        for (auto it = scope->m_bindings.rbegin(); it != scope->m_bindings.rend(); ++it) {
            if (it->prefix == prefix)
                return it->space;
        }
    }
    if (prefix.empty())
        return Namespace::None;
    return prefix == "xml" ? Namespace::Other : Namespace::Undeclared;
}

QualifiedName NamespaceScope::resolve(std::string_view name, bool useDefault) const
{
    const size_t colon = name.find(':');
    if (colon == std::string_view::npos)
        return {useDefault ? lookup({}) : Namespace::None, name};
    return {lookup(name.substr(0, colon)), name.substr(colon + 1)};
}

pugi::xml_node findChild(pugi::xml_node parent, const NamespaceScope &scope, Namespace space, const char *local)
{
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && NamespaceScope(&scope, child).element(child.name()).is(space, local))
            return child;
    }
    return {};
}

} // namespace rowset
