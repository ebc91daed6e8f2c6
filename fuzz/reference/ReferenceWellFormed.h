// The fuzz target's reference copy of the rowset reader as it was before it
// read in one pass (pugixml after a well-formedness check); the differential
// fuzz target compares the library's reader with it. Not built into the product.
// The well-formedness check the rowset reader runs before pugixml, which is
// lenient where the format must not be: it accepts invalid UTF-8, character
// references to nothing or to surrogates, unknown entities, repeated
// attributes, '<' inside attribute values and a second root element. The
// check finds each of these and names its line and column.
#pragma once

#include "rowset/RowsetSource.h"

#include <QString>
#include <string_view>

namespace rowset::reference {

// The byte a NUL character inside an attribute value is replaced with before
// parsing, so that pugixml (whose strings end at NUL) keeps the value whole.
// No valid UTF-8 text holds it, so it stands for NUL alone.
inline constexpr char kNulStandIn = '\xFF';

// Checks the UTF-8 buffer (without byte-order mark) and replaces each NUL
// inside an attribute value with kNulStandIn. Returns true when it replaced
// any. What pugixml reports itself (a mismatched end tag, a text that ends
// too early) is left to it.
bool checkWellFormed(char *buffer, qsizetype size, const Locator &locator);

// The text of a UTF-8 value, a U+FEFF at its start kept.
QString textOf(std::string_view raw);
// The text of a parsed attribute value; nulStandIns says whether the
// document's values may hold kNulStandIn.
QString attributeText(std::string_view raw, bool nulStandIns);

} // namespace rowset::reference
