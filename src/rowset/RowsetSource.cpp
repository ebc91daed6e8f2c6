// Decoding of rowset documents to UTF-8 and line/column positions for the
// reader's error messages.
#include "rowset/RowsetSource.h"

#include <QStringEncoder>
#include <QtEndian>

namespace rowset {

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";

bool startsWith(const QByteArray &bytes, char a, char b)
{
    return bytes.size() >= 2 && bytes.at(0) == a && bytes.at(1) == b;
}

QByteArray utf8FromUtf16(QByteArrayView bytes, QSysInfo::Endian order)
{
    if (bytes.size() % 2 != 0)
        throw invalidDocument(QStringLiteral("The UTF-16 text has an odd number of bytes (it is truncated)."));
    QString text(bytes.size() / 2, Qt::Uninitialized);
    if (order == QSysInfo::BigEndian)
        qFromBigEndian<char16_t>(bytes.data(), text.size(), text.data());
    else
        qFromLittleEndian<char16_t>(bytes.data(), text.size(), text.data());
    return utf8FromText(text);
}

// Index of the first surrogate that is not part of a pair, or 0.
qsizetype loneSurrogate(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return i;
    }
    return 0;
}

// A text holding a surrogate that is not part of a pair is an error that
// names its line and column.
[[noreturn]] void refuseLoneSurrogate(QStringView text)
{
    const qsizetype at = loneSurrogate(text);
    const QByteArray before = text.first(at).toUtf8();
    const Locator locator(before.constData(), [&before] { return before; });
    throw invalidDocument(QStringLiteral("the XML is not well formed at %1: an invalid UTF-16 sequence (the lone "
                                         "surrogate U+%2).")
                              .arg(locator.describe(before.size()))
                              .arg(QString::number(text[at].unicode(), 16).toUpper()));
}

} // namespace

rt::RuntimeError invalidDocument(const QString &what)
{
    return rt::RuntimeError::own(kInvalidDocument, QStringLiteral("Rowset XML cannot be read: %1").arg(what));
}

// The encoder counts the lone surrogates it meets, so the usual text is
// checked without a pass of its own.
QByteArray utf8FromText(QStringView text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text = text.sliced(1);
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    QByteArray utf8 = encoder.encode(text);
    if (encoder.hasError())
        refuseLoneSurrogate(text);
    return utf8;
}

QByteArray utf8FromBytes(const QByteArray &bytes)
{
    if (startsWith(bytes, '\xFF', '\xFE'))
        return utf8FromUtf16(QByteArrayView(bytes).sliced(2), QSysInfo::LittleEndian);
    if (startsWith(bytes, '\xFE', '\xFF'))
        return utf8FromUtf16(QByteArrayView(bytes).sliced(2), QSysInfo::BigEndian);
    if (startsWith(bytes, '<', '\0'))
        return utf8FromUtf16(bytes, QSysInfo::LittleEndian);
    if (startsWith(bytes, '\0', '<'))
        return utf8FromUtf16(bytes, QSysInfo::BigEndian);
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
