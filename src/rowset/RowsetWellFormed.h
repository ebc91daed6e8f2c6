// The well-formedness check the rowset reader runs before pugixml, which is
// lenient where the format must not be: it accepts invalid UTF-8, character
// references to nothing or to surrogates, unknown entities, repeated
// attributes, '<' inside attribute values and a second root element. The
// check finds each of these and names its line and column. It is also the
// one-pass reader's walk over the bytes, telling a listener the tags it meets.
#pragma once

#include "rowset/RowsetSource.h"

#include <QString>
#include <string_view>

namespace rowset {

// The byte a NUL character inside an attribute value is replaced with before
// parsing, so that pugixml (whose strings end at NUL) keeps the value whole.
// No valid UTF-8 text holds it, so it stands for NUL alone.
inline constexpr char kNulStandIn = '\xFF';

// What the check tells as it goes, for a reader that takes the document in
// the same pass. Depths count the elements open around a tag (0 for the
// root); names and values are the bytes of the buffer, a value with its NULs
// already replaced.
class MarkupListener
{
public:
    virtual ~MarkupListener() = default;
    // A start tag; returns true to be told its attributes and its end.
    virtual bool startTag(int depth, std::string_view name) = 0;
    // references: whether the value holds character or entity references.
    virtual void attribute(std::string_view name, std::string_view value, bool references) = 0;
    virtual void startTagEnd(bool empty) = 0;
    // An end tag: what lies between "</" and ">", and the depth of the
    // element it ends.
    virtual void endTag(int depth, std::string_view content) = 0;
    virtual void instruction() = 0; // a processing instruction
    virtual void textEnds() = 0;    // the text ends inside a construct
    // A NUL inside an attribute value; must not return (by throwing), as the
    // buffer is not to be changed.
    virtual void nulInValue() = 0;
};

// Checks the UTF-8 buffer (without byte-order mark) and replaces each NUL
// inside an attribute value with kNulStandIn. Returns true when it replaced
// any. What pugixml reports itself (a mismatched end tag, a text that ends
// too early) is left to it.
bool checkWellFormed(char *buffer, qsizetype size, const Locator &locator);
// The same check, telling the listener as it goes, without changing the
// buffer; what pugixml reports is left to the listener.
void checkWellFormed(const char *buffer, qsizetype size, const Locator &locator, MarkupListener &listener);

// The text of a UTF-8 value, a U+FEFF at its start kept.
QString textOf(std::string_view raw);
// The text of a parsed attribute value; nulStandIns says whether the
// document's values may hold kNulStandIn.
QString attributeText(std::string_view raw, bool nulStandIns);

} // namespace rowset
