// The well-formedness check of rowset documents: one pass over the UTF-8
// bytes that follows the markup just far enough to know what is a tag, an
// attribute value, text, a comment or a processing instruction, and checks
// each where pugixml would let it through. Attribute values and text are
// searched sixteen bytes at a time, since they make up most of a document.
#include "rowset/RowsetWellFormed.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace rowset {

namespace {

// Thrown when the text ends inside a construct: pugixml names that error.
struct TextEnds
{
};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isNameStart(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return ((u | 0x20) >= 'a' && (u | 0x20) <= 'z') || u == '_' || u == ':' || u >= 0x80;
}

// What ends a tag or attribute name: blanks and control bytes, markup, quotes.
bool endsName(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == '=' || u == '/' || u == '>' || u == '<' || u == '\'' || u == '"' || u == '&';
}

// The classes of bytes the check looks for, each a bit mask over a block of
// 64 bytes, so that finding the end of a value or a name is a shift and a
// count of zeros rather than a loop over its bytes. Every class includes NUL
// and the bytes from 0x80 on, which the caller checks itself.
enum ByteClass {
    TextStop,      // '<', '&' (text between tags)
    AposValueStop, // '\'', '<', '&' (a value in single quotes)
    QuotValueStop, // '"', '<', '&' (a value in double quotes)
    NameStop,      // blanks, control bytes, '=', '/', '>', '<', quotes, '&'
    kByteClasses
};

[[maybe_unused]] bool inClass(unsigned char u, ByteClass c)
{
    const bool common = u == '<' || u == '&' || u == 0 || u >= 0x80;
    switch (c) {
    case TextStop: return common;
    case AposValueStop: return common || u == '\'';
    case QuotValueStop: return common || u == '"';
    case NameStop: return common || endsName(char(u));
    case kByteClasses: break;
    }
    return false;
}

class ByteClasses
{
public:
    ByteClasses(const char *begin, const char *end) : m_begin(begin), m_end(end), m_block(end) {}

    // The first byte from p on in the class; the end when there is none.
    [[gnu::always_inline]] char *next(char *p, ByteClass c)
    {
        for (;;) {
            const size_t offset = size_t(p - m_block); // huge when p lies before the block
            if (offset < 64) {
                const std::uint64_t found = m_masks[c] >> offset;
                if (found != 0)
                    return p + __builtin_ctzll(found);
                p += 64 - offset;
            }
            if (p >= m_end)
                return const_cast<char *>(m_end);
            load(size_t(p - m_begin) & ~size_t(63));
        }
    }

private:
    void load(size_t start)
    {
        m_block = m_begin + start;
        const size_t count = std::min<size_t>(64, size_t(m_end - m_block));
        if (count < 64) { // the last, short block: bytes past the end are in no class
            char padded[64];
            std::memset(padded, 'a', sizeof padded);
            std::memcpy(padded, m_block, count);
            classify(padded);
        } else {
            classify(m_block);
        }
    }

    void classify(const char *bytes)
    {
#ifdef __SSE2__
        const __m128i below = _mm_set1_epi8(0x21); // signed: blanks, controls and every byte from 0x80 on
        const __m128i less = _mm_set1_epi8('<'), amp = _mm_set1_epi8('&'), zero = _mm_setzero_si128();
        const __m128i apos = _mm_set1_epi8('\''), quot = _mm_set1_epi8('"'), equals = _mm_set1_epi8('=');
        const __m128i slash = _mm_set1_epi8('/'), greater = _mm_set1_epi8('>');
        std::uint64_t masks[kByteClasses] = {};
        for (int i = 0; i < 4; ++i) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + 16 * i));
            const __m128i a = _mm_cmpeq_epi8(v, apos), q = _mm_cmpeq_epi8(v, quot);
            const __m128i common = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, less), _mm_cmpeq_epi8(v, amp)),
                                                _mm_or_si128(_mm_cmpeq_epi8(v, zero), _mm_cmplt_epi8(v, zero)));
            const __m128i markup = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, equals), _mm_cmpeq_epi8(v, slash)),
                                                _mm_or_si128(_mm_cmpeq_epi8(v, greater), _mm_cmplt_epi8(v, below)));
            const auto bits = [](__m128i m) { return std::uint64_t(unsigned(_mm_movemask_epi8(m))); };
            masks[TextStop] |= bits(common) << (16 * i);
            masks[AposValueStop] |= bits(_mm_or_si128(common, a)) << (16 * i);
            masks[QuotValueStop] |= bits(_mm_or_si128(common, q)) << (16 * i);
            masks[NameStop] |= bits(_mm_or_si128(_mm_or_si128(common, markup), _mm_or_si128(a, q))) << (16 * i);
        }
        std::memcpy(m_masks, masks, sizeof masks);
#else
        for (int c = 0; c < kByteClasses; ++c) {
            m_masks[c] = 0;
            for (int i = 0; i < 64; ++i)
                m_masks[c] |= std::uint64_t(inClass(static_cast<unsigned char>(bytes[i]), ByteClass(c))) << i;
        }
#endif
    }

    const char *m_begin;
    const char *m_end;
    const char *m_block; // the first byte of the block the masks describe
    std::uint64_t m_masks[kByteClasses] = {};
};

int digitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f')
        return (c | 0x20) - 'a' + 10;
    return -1;
}

bool isEntityNameChar(char c)
{
    return ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
}

QString codePoint(quint32 value) { return QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0')); }

class Checker
{
public:
    Checker(char *buffer, qsizetype size, const Locator &locator, MarkupListener *listener)
        : m_begin(buffer), m_p(buffer), m_end(buffer + size), m_locator(locator), m_classes(buffer, buffer + size),
          m_listener(listener)
    {
    }

    bool run();

private:
    [[noreturn]] void fail(const char *at, const QString &what) const;
    bool startsWith(std::string_view text) const;
    char *need(char *p) const; // p itself; TextEnds when p is the end
    char *skipSpaces(char *p) const;
    void topLevel();
    bool skipMisc();
    void element();
    void text();
    bool startTag();
    [[gnu::always_inline]] char *name(char *p);
    [[gnu::always_inline]] char *attributeValue(char *p, char quote);
    void remember(const char *name, const char *end);
    char *reference(char *p) const;
    char *character(char *p) const;
    void skipPast(char *p, std::string_view terminator);

    char *m_begin;
    char *m_p;
    char *m_end;
    const Locator &m_locator;
    ByteClasses m_classes;
    MarkupListener *m_listener;
    int m_depth = 0;           // elements open around the current position
    bool m_references = false; // whether the last attribute value held a reference
    bool m_rootSeen = false;
    bool m_nul = false;

    // The attribute names of the tag being read, with a 256-bit filter of
    // their hashes: only a repeated hash makes the names be compared.
    std::vector<std::string_view> m_names;
    std::array<std::uint64_t, 4> m_filter{};
};

void Checker::fail(const char *at, const QString &what) const
{
    throw invalidDocument(
        QStringLiteral("the XML is not well formed at %1: %2.").arg(m_locator.describe(at - m_begin), what));
}

bool Checker::startsWith(std::string_view text) const
{
    return size_t(m_end - m_p) >= text.size() && std::memcmp(m_p, text.data(), text.size()) == 0;
}

char *Checker::need(char *p) const
{
    if (p >= m_end)
        throw TextEnds{};
    return p;
}

char *Checker::skipSpaces(char *p) const
{
    while (p < m_end && static_cast<unsigned char>(*p) <= ' ' && isSpace(*p))
        ++p;
    return p;
}

bool Checker::run()
{
    try {
        topLevel();
    } catch (const TextEnds &) {
        // pugixml (or the listener) reports the text that ends too early
        if (m_listener)
            m_listener->textEnds();
    }
    return m_nul;
}

// Before and after the root element: blanks, comments and processing
// instructions only.
void Checker::topLevel()
{
    for (;;) {
        m_p = skipSpaces(m_p);
        if (m_p == m_end)
            return;
        if (*m_p == '\0')
            fail(m_p, QStringLiteral("a NUL character outside an attribute value"));
        if (*m_p != '<')
            fail(m_p, m_rootSeen ? QStringLiteral("text after the root element")
                                 : QStringLiteral("text before the root element"));
        if (skipMisc())
            continue;
        if (startsWith("<!DOCTYPE"))
            fail(m_p, QStringLiteral("a document type declaration, which rowset documents do not use"));
        if (startsWith("</") || startsWith("<!"))
            fail(m_p, QStringLiteral("markup outside the root element"));
        if (m_rootSeen)
            fail(m_p, QStringLiteral("a second root element"));
        m_rootSeen = true;
        element();
    }
}

// At '<': skips a processing instruction or a comment.
bool Checker::skipMisc()
{
    if (startsWith("<?")) {
        skipPast(m_p + 2, "?>");
        if (m_listener)
            m_listener->instruction();
        return true;
    }
    if (startsWith("<!--")) {
        skipPast(m_p + 4, "-->");
        return true;
    }
    return false;
}

// From the root's start tag to its end tag, one level of nesting at a time.
void Checker::element()
{
    int &depth = m_depth;
    do {
        need(m_p + 1);
        if (m_p[1] == '/') {
            char *const content = m_p + 2;
            skipPast(content, ">");
            --depth;
            if (m_listener)
                m_listener->endTag(depth, std::string_view(content, size_t(m_p - 1 - content)));
        } else if (skipMisc()) {
        } else if (startsWith("<![CDATA[")) {
            skipPast(m_p + 9, "]]>");
        } else if (m_p[1] == '!') {
            fail(m_p, QStringLiteral("a declaration inside an element"));
        } else if (startTag()) {
            ++depth;
        }
        if (depth > 0)
            text();
    } while (depth > 0);
}

// Text up to the next '<'.
void Checker::text()
{
    for (;;) {
        char *p = need(m_classes.next(m_p, TextStop));
        m_p = p;
        if (*p == '<')
            return;
        if (*p == '&')
            p = reference(p);
        else if (*p == '\0')
            fail(p, QStringLiteral("a NUL character outside an attribute value"));
        else
            p = character(p);
        m_p = p;
    }
}

// A start tag and its attributes; true unless it is an empty element. The
// usual shape, one blank before each name and none around '=', is taken
// without calling skipSpaces().
bool Checker::startTag()
{
    if (!isNameStart(*need(m_p + 1)))
        fail(m_p, QStringLiteral("a '<' that starts no tag"));
    char *p = name(m_p + 1);
    const bool told = m_listener && m_listener->startTag(m_depth, std::string_view(m_p + 1, size_t(p - m_p - 1)));
    m_names.clear();
    m_filter = {};
    for (;;) {
        if (*p == ' ' && isNameStart(*need(p + 1))) {
            ++p;
        } else {
            char *const afterName = p;
            p = need(skipSpaces(p));
            if (*p == '>' || (*p == '/' && *need(p + 1) == '>')) {
                m_p = p + (*p == '>' ? 1 : 2);
                if (told)
                    m_listener->startTagEnd(*p != '>');
                return *p == '>';
            }
            if (p == afterName || !isNameStart(*p))
                fail(p, QStringLiteral("an unexpected character in a tag"));
        }
        char *const attribute = p;
        p = name(p);
        remember(attribute, p);
        if (*p != '=')
            p = need(skipSpaces(p));
        if (*p != '=')
            fail(p, QStringLiteral("an attribute without a value"));
        if (*need(++p) != '\'' && *p != '"')
            p = need(skipSpaces(p));
        if (*p != '\'' && *p != '"')
            fail(p, QStringLiteral("an attribute value without quotes"));
        char *const value = p + 1;
        m_references = false;
        p = attributeValue(value, *p);
        if (told)
            m_listener->attribute(m_names.back(), std::string_view(value, size_t(p - 1 - value)), m_references);
    }
}

inline char *Checker::name(char *p)
{
    for (p = need(m_classes.next(p, NameStop)); static_cast<unsigned char>(*p) >= 0x80;
         p = need(m_classes.next(p, NameStop)))
        p = character(p);
    return p;
}

// The value after its opening quote, up to and past the closing one. A NUL
// is replaced with its stand-in.
inline char *Checker::attributeValue(char *p, char quote)
{
    for (;;) {
        p = need(m_classes.next(p, quote == '\'' ? AposValueStop : QuotValueStop));
        if (*p == quote)
            return p + 1;
        if (*p == '<')
            fail(p, QStringLiteral("'<' inside an attribute value"));
        if (*p == '&') {
            p = reference(p);
            m_references = true;
        } else if (*p == '\0') {
            if (m_listener)
                m_listener->nulInValue(); // the buffer is not to be changed
            *p++ = kNulStandIn;
            m_nul = true;
        } else {
            p = character(p);
        }
    }
}

void Checker::remember(const char *name, const char *end)
{
    const std::string_view seen(name, size_t(end - name));
    const unsigned hash = unsigned(seen.size() * 31 + static_cast<unsigned char>(seen.front()) * 7
                                   + static_cast<unsigned char>(seen.back()))
                          & 255u;
    std::uint64_t &word = m_filter[hash >> 6];
    const std::uint64_t bit = std::uint64_t(1) << (hash & 63);
    if ((word & bit) != 0) {
        for (const std::string_view &other : m_names) {
            if (other == seen)
                fail(name, QStringLiteral("the attribute \"%1\" is given twice")
                               .arg(QString::fromUtf8(seen.data(), qsizetype(seen.size()))));
        }
    }
    word |= bit;
    m_names.push_back(seen);
}

// At '&': a character reference to a character a document may hold, or one
// of the five predefined entities. Returns what follows it.
char *Checker::reference(char *p) const
{
    char *q = p + 1;
    if (*need(q) == '#') {
        const bool hex = *need(++q) == 'x';
        q += hex ? 1 : 0;
        char *digits = q;
        quint32 value = 0;
        for (int d = 0; (d = digitValue(*need(q), hex)) >= 0; ++q)
            value = std::min<quint32>(value * (hex ? 16 : 10) + quint32(d), 0x110000);
        if (q == digits || *q != ';')
            fail(p, QStringLiteral("a malformed character reference"));
        if (value == 0)
            fail(p, QStringLiteral("a character reference to U+0000"));
        if (value > 0x10FFFF)
            fail(p, QStringLiteral("a character reference beyond U+10FFFF"));
        if (value >= 0xD800 && value <= 0xDFFF)
            fail(p, QStringLiteral("a character reference to the surrogate U+%1").arg(codePoint(value)));
        if (value == 0xFFFE || value == 0xFFFF)
            fail(p, QStringLiteral("a character reference to the noncharacter U+%1").arg(codePoint(value)));
        return q + 1;
    }
    while (isEntityNameChar(*need(q)))
        ++q;
    const std::string_view entity(p + 1, size_t(q - p - 1));
    if (*q != ';' || entity.empty())
        fail(p, QStringLiteral("an '&' that starts no reference"));
    for (const char *known : {"lt", "gt", "amp", "apos", "quot"}) {
        if (entity == known)
            return q + 1;
    }
    fail(p, QStringLiteral("the entity reference &%1;, which is none of &lt; &gt; &amp; &apos; &quot;")
                .arg(QString::fromLatin1(entity.data(), qsizetype(entity.size()))));
}

// At a byte beyond ASCII: one character in valid UTF-8, neither a surrogate
// nor U+FFFE or U+FFFF. Returns what follows it.
char *Checker::character(char *p) const
{
    const auto at = [&](qsizetype i) { return p + i < m_end ? static_cast<unsigned char>(p[i]) : 0u; };
    const unsigned lead = at(0);
    if (lead >= 0xC2 && lead < 0xE0 && (at(1) & 0xC0) == 0x80)
        return p + 2; // the usual case: a letter of a Latin script
    const auto continued = [&](qsizetype count) {
        for (qsizetype i = 1; i <= count; ++i) {
            if ((at(i) & 0xC0) != 0x80)
                return false;
        }
        return true;
    };
    qsizetype length = 0;
    if (lead >= 0xC2 && lead < 0xE0)
        length = 2;
    else if (lead >= 0xE0 && lead < 0xF0 && (lead != 0xE0 || at(1) >= 0xA0) && (lead != 0xED || at(1) < 0xA0))
        length = 3;
    else if (lead >= 0xF0 && lead < 0xF5 && (lead != 0xF0 || at(1) >= 0x90) && (lead != 0xF4 || at(1) < 0x90))
        length = 4;
    if (length == 0 || !continued(length - 1))
        fail(p, QStringLiteral("an invalid UTF-8 sequence"));
    if (lead == 0xEF && at(1) == 0xBF && (at(2) == 0xBE || at(2) == 0xBF))
        fail(p, QStringLiteral("the noncharacter U+%1").arg(codePoint(0xFF00 | (0xC0 | (at(2) & 0x3F)))));
    return p + length;
}

// Past the terminator; what comes before it is checked as characters.
void Checker::skipPast(char *p, std::string_view terminator)
{
    for (;;) {
        need(p);
        if (*p == terminator.front() && size_t(m_end - p) >= terminator.size()
            && std::memcmp(p, terminator.data(), terminator.size()) == 0) {
            m_p = p + terminator.size();
            return;
        }
        if (*p == '\0')
            fail(p, QStringLiteral("a NUL character outside an attribute value"));
        p = static_cast<unsigned char>(*p) >= 0x80 ? character(p) : p + 1;
    }
}

} // namespace

bool checkWellFormed(char *buffer, qsizetype size, const Locator &locator)
{
    return Checker(buffer, size, locator, nullptr).run();
}

void checkWellFormed(const char *buffer, qsizetype size, const Locator &locator, MarkupListener &listener)
{
    // Written only where a NUL is replaced, which the listener does not return from.
    Checker(const_cast<char *>(buffer), size, locator, &listener).run();
}

// QString::fromUtf8 drops a byte-order mark at the start, which inside a
// document is the character U+FEFF like any other.
QString textOf(std::string_view raw)
{
    if (raw.starts_with("\xEF\xBB\xBF"))
        return QChar(0xFEFF) + QString::fromUtf8(raw.data() + 3, qsizetype(raw.size()) - 3);
    return QString::fromUtf8(raw.data(), qsizetype(raw.size()));
}

QString attributeText(std::string_view raw, bool nulStandIns)
{
    size_t standIn = nulStandIns ? raw.find(kNulStandIn) : std::string_view::npos;
    if (standIn == std::string_view::npos)
        return textOf(raw);
    QString text;
    for (; standIn != std::string_view::npos; standIn = raw.find(kNulStandIn)) {
        text += textOf(raw.substr(0, standIn));
        text += QChar(0);
        raw.remove_prefix(standIn + 1);
    }
    return text + textOf(raw);
}

} // namespace rowset
