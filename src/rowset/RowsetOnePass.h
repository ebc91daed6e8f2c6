// The rowset reader's one pass: the well-formedness check walks the bytes
// once and, as it goes, the rows of the usual document become the record set,
// without a DOM of the data. Only the head (up to rs:data) is parsed by
// pugixml, for the schema.
#pragma once

#include "rowset/RecordSet.h"
#include "rowset/RowsetSource.h"

#include <optional>

namespace rowset {

// Reads the UTF-8 buffer (without byte-order mark), which it does not
// change. Raises the check's errors. Gives nothing for a
// document it leaves to the DOM reader: one not of the usual shape (pending
// changes, rows with content or declarations of their own, data before the
// schema, processing instructions after it), one that pugixml might refuse,
// or one with an error of its schema or values. The DOM reader then reads
// it, from the original text, and gives the same record set or error for
// it as for any other.
std::optional<RecordSet> readInOnePass(const char *buffer, qsizetype size, const Locator &locator);

} // namespace rowset
