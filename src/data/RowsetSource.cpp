// Decoding of rowset documents to UTF-8 and line/column positions for the
// reader's error messages.
#include "data/RowsetSource.h"

#include <QStringDecoder>

namespace rowset {

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";

bool startsWith(const QByteArray &bytes, char a, char b)
{
    return bytes.size() >= 2 && bytes.at(0) == a && bytes.at(1) == b;
}

QByteArray utf8FromUtf16(QByteArrayView bytes, QStringDecoder::Encoding encoding)
{
    if (bytes.size() % 2 != 0)
        throw invalidDocument(QStringLiteral("The UTF-16 text has an odd number of bytes (it is truncated)."));
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return utf8FromText(text);
}

} // namespace

rt::RuntimeError invalidDocument(const QString &what)
{
    return rt::RuntimeError::own(kInvalidDocument, QStringLiteral("Rowset XML cannot be read: %1").arg(what));
}

QByteArray utf8FromText(const QString &text)
{
    if (text.startsWith(QChar(0xFEFF)))
        return QStringView(text).mid(1).toUtf8();
    return text.toUtf8();
}

QByteArray utf8FromBytes(const QByteArray &bytes)
{
    if (startsWith(bytes, '\xFF', '\xFE'))
        return utf8FromUtf16(QByteArrayView(bytes).sliced(2), QStringDecoder::Utf16LE);
    if (startsWith(bytes, '\xFE', '\xFF'))
        return utf8FromUtf16(QByteArrayView(bytes).sliced(2), QStringDecoder::Utf16BE);
    if (startsWith(bytes, '<', '\0'))
        return utf8FromUtf16(bytes, QStringDecoder::Utf16LE);
    if (startsWith(bytes, '\0', '<'))
        return utf8FromUtf16(bytes, QStringDecoder::Utf16BE);
    if (bytes.startsWith(kUtf8Mark))
        return bytes.mid(3);
    return bytes;
}

Locator::Locator(const char *buffer, std::function<QByteArray()> original)
    : m_buffer(buffer), m_original(std::move(original))
{
}

QString Locator::describe(qsizetype offset) const
{
    const QByteArray text = m_original();
    offset = qBound(qsizetype(0), offset, text.size());
    qint64 line = 1;
    qint64 column = 1;
    for (qsizetype i = 0; i < offset; ++i) {
        const char c = text.at(i);
        if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text.at(i + 1) != '\n'))) {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && c != '\r') {
            ++column; // counts characters, not the continuation bytes of UTF-8
        }
    }
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

} // namespace rowset
