// The fuzz target's reference copy of the rowset reader as it was before it
// read in one pass (pugixml after a well-formedness check); the differential
// fuzz target compares the library's reader with it. Not built into the product.
// Reading the schema part of a rowset document: one column per
// s:AttributeType, with its row attribute name, real name, type,
// nullability, ordinal and visibility.
#pragma once

#include "rowset/RecordSet.h"
#include "ReferenceNamespaces.h"
#include "rowset/RowsetSource.h"
#include "rowset/RowsetValues.h"

#include <pugixml.hpp>
#include <string>
#include <vector>

namespace rowset::reference {

struct SchemaColumn
{
    std::string attribute; // the attribute name used in the rows
    FieldInfo field;
    ColumnType type;
    int position = -1; // 0-based position in the record set; -1 when hidden
};

struct Schema
{
    std::vector<SchemaColumn> columns; // in document order, hidden ones included
    QList<FieldInfo> fields;           // the visible columns by position
    std::string rowName;               // local name of the row elements
};

// Reads an s:Schema element: the columns of its first row type, declared in
// it or named by it (s:attribute type='...') among the schema's own
// s:AttributeType elements. A schema without a row type, a column without a
// name, a repeated column, a named type the schema lacks or a nested record
// set is an error. nulStandIns:
// whether attribute values may hold the stand-in of a NUL character.
Schema readSchema(pugi::xml_node schema, const NamespaceScope &scope, const Locator &locator, bool nulStandIns);

} // namespace rowset::reference
