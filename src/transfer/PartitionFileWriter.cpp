// Writing a partition file. The text is the indented form that Qt's JSON
// writer gives for the same document (keys in code-unit order, four spaces a
// level, "key": value), written straight into one buffer: building the
// document as QJsonObjects first took longer than reading the store.
#include "transfer/PartitionFileJson.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <vector>

namespace transfer {

namespace {

class JsonText
{
public:
    explicit JsonText(qsizetype expectedSize) { m_text.reserve(expectedSize); }

    // A new line at the given depth for a container's member, after the
    // comma that ends the member before it (none before the first).
    void element(int depth, bool first)
    {
        m_text += first ? QByteArrayView("\n") : QByteArrayView(",\n");
        m_text.append(qsizetype(depth) * 4, ' ');
    }
    // `"name": ` on such a line.
    void key(int depth, QLatin1String name, bool first = false)
    {
        element(depth, first);
        m_text += '"';
        m_text += QByteArrayView(name.data(), name.size());
        m_text += "\": ";
    }
    void key(int depth, const QString &name, bool first)
    {
        element(depth, first);
        string(name);
        m_text += ": ";
    }
    // Opens an object or array; close() ends it on a line of its own at its
    // depth (an empty one too: "{\n<indent>}", as Qt writes it).
    void open(char bracket) { m_text += bracket; }
    void close(int depth, char bracket)
    {
        m_text += '\n';
        m_text.append(qsizetype(depth) * 4, ' ');
        m_text += bracket;
    }
    void number(qint64 value)
    {
        std::array<char, 24> digits{};
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
        m_text.append(digits.data(), end - digits.data());
    }
    void null() { m_text += "null"; }

    // A string with '"', '\\' and the control characters escaped, everything
    // else in UTF-8; a lone surrogate, which UTF-8 cannot carry, as \uXXXX.
    void string(const QString &text)
    {
        m_text += '"';
        const auto *at = reinterpret_cast<const char16_t *>(text.utf16());
        const char16_t *const end = at + text.size();
        while (at != end) {
            const char16_t *plain = at;
            while (plain != end && *plain >= 0x20 && *plain < 0x80 && *plain != u'"' && *plain != u'\\')
                ++plain;
            narrow(at, plain);
            at = plain;
            if (at == end)
                break;
            if (*at < 0x80)
                escape(*at++);
            else
                at = wide(at, end);
        }
        m_text += '"';
    }

    QByteArray take() { return std::move(m_text); }

private:
    // Appends characters below U+0080 as the bytes they are, in one go.
    void narrow(const char16_t *from, const char16_t *to)
    {
        const qsizetype start = m_text.size();
        m_text.resize(start + (to - from));
        std::transform(from, to, m_text.data() + start, [](char16_t c) { return char(c); });
    }

    void escape(char16_t c)
    {
        static constexpr char kHex[] = "0123456789abcdef";
        m_text += '\\';
        switch (c) {
        case u'"': m_text += '"'; break;
        case u'\\': m_text += '\\'; break;
        case u'\b': m_text += 'b'; break;
        case u'\f': m_text += 'f'; break;
        case u'\n': m_text += 'n'; break;
        case u'\r': m_text += 'r'; break;
        case u'\t': m_text += 't'; break;
        default:
            m_text += 'u';
            for (int shift = 12; shift >= 0; shift -= 4)
                m_text += kHex[(c >> shift) & 0xf];
        }
    }

    // One character from U+0080 up, as UTF-8; returns what follows it.
    const char16_t *wide(const char16_t *at, const char16_t *end)
    {
        char32_t c = *at++;
        if (QChar::isHighSurrogate(c) && at != end && QChar::isLowSurrogate(*at)) {
            c = QChar::surrogateToUcs4(char16_t(c), *at++);
        } else if (QChar::isSurrogate(c)) {
            escape(char16_t(c));
            return at;
        }
        if (c < 0x800) {
            m_text += char(0xc0 | (c >> 6));
        } else if (c < 0x10000) {
            m_text += char(0xe0 | (c >> 12));
            m_text += char(0x80 | ((c >> 6) & 0x3f));
        } else {
            m_text += char(0xf0 | (c >> 18));
            m_text += char(0x80 | ((c >> 12) & 0x3f));
            m_text += char(0x80 | ((c >> 6) & 0x3f));
        }
        m_text += char(0x80 | (c & 0x3f));
        return at;
    }

    QByteArray m_text;
};

// A node type id as the text of its key, without a string of its own.
struct IdText
{
    std::array<char, 8> digits{}; // "-32768" at the longest
    std::size_t size = 0;
    const NodeMaximum *maximum = nullptr;

    std::string_view text() const { return {digits.data(), size}; }
};

// The node maxima keyed by their id's text, in the order of those texts.
void writeMaxima(JsonText &json, const std::map<qint16, NodeMaximum> &maxima)
{
    std::vector<IdText> byKey(maxima.size());
    auto key = byKey.begin();
    for (const auto &[type, maximum] : maxima) {
        key->size = std::size_t(std::to_chars(key->digits.data(), key->digits.data() + key->digits.size(), type).ptr
                                - key->digits.data());
        key->maximum = &maximum;
        ++key;
    }
    std::sort(byKey.begin(), byKey.end(), [](const IdText &a, const IdText &b) { return a.text() < b.text(); });
    json.open('{');
    for (std::size_t i = 0; i < byKey.size(); ++i) {
        const NodeMaximum *maximum = byKey[i].maximum;
        json.key(4, QLatin1String(byKey[i].text().data(), qsizetype(byKey[i].size)), i == 0);
        json.open('{');
        json.key(5, QLatin1String("maximum"), true);
        json.number(maximum->maximum);
        json.key(5, QLatin1String("name"));
        json.string(maximum->name);
        json.close(4, '}');
    }
    json.close(3, '}');
}

// The members in code-unit order of their names.
void writePartition(JsonText &json, const PartitionSettings &p)
{
    constexpr int depth = 3;
    json.open('{');
    json.key(depth, QLatin1String("Command"), true);
    json.string(p.Command);
    json.key(depth, QLatin1String("MSGNo"));
    p.MSGNo ? json.number(*p.MSGNo) : json.null();
    json.key(depth, QLatin1String("Name"));
    json.string(p.Name);
    json.key(depth, QLatin1String("NoMSGRecorded"));
    json.string(p.NoMSGRecorded);
    json.key(depth, QLatin1String("NodeMaxima"));
    writeMaxima(json, p.maxima);
    json.key(depth, QLatin1String("PartitionAccessCode"));
    json.string(p.PartitionAccessCode);
    json.key(depth, QLatin1String("PartitionID"));
    json.number(p.number);
    json.key(depth, QLatin1String("REMLanguage"));
    json.string(p.REMLanguage);
    json.key(depth, QLatin1String("SelectLimit"));
    json.string(p.SelectLimit);
    json.key(depth, QLatin1String("TimeLeft"));
    json.number(p.TimeLeft);
    json.key(depth, QLatin1String("TimeLimit"));
    json.number(p.TimeLimit);
    json.key(depth, QLatin1String("TotalRecTime"));
    json.number(p.TotalRecTime);
    json.key(depth, QLatin1String("TotalTimeOfMessagesRecorded"));
    json.number(p.TotalTimeOfMessagesRecorded);
    json.close(2, '}');
}

} // namespace

QByteArray toJson(const PartitionFile &file)
{
    // About 600 bytes a partition with 20 node maxima, more with long names.
    JsonText json(4096 + file.partitions.size() * 640);
    json.open('{');
    json.key(1, QLatin1String("configuration"), true);
    json.number(file.configuration);
    json.key(1, QLatin1String("format"));
    json.string(kFormat);
    json.key(1, QLatin1String("partitions"));
    json.open('[');
    for (qsizetype i = 0; i < file.partitions.size(); ++i) {
        json.element(2, i == 0);
        writePartition(json, file.partitions.at(i));
    }
    json.close(1, ']');
    json.close(0, '}');
    QByteArray text = json.take();
    text += '\n';
    return text;
}

} // namespace transfer
