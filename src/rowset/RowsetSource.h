// The text of a rowset document as the reader parses it (UTF-8, byte-order
// mark removed) and the line and column of a place in it, for error messages.
#pragma once

#include "core/RuntimeError.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace rowset {

// Number of the errors raised for a document that cannot be read as a
// record set (the data-access layer's "unspecified error", 0x80004005).
inline constexpr qint32 kInvalidDocument = qint32(0x80004005u);

rt::RuntimeError invalidDocument(const QString &what);

// UTF-8 of a text without its byte-order mark; a surrogate that is not part
// of a pair is an error that names its line and column.
QByteArray utf8FromText(QStringView text);
// UTF-8, or UTF-16 (either byte order) with a byte-order mark or starting
// with '<'; a UTF-16 text of an odd number of bytes, or with a surrogate that
// is not part of a pair, is an error.
QByteArray utf8FromBytes(const QByteArray &bytes);

// Finds where a byte offset of the parsed buffer lies. The buffer itself is
// changed by parsing in place, so the original text is rebuilt on demand
// (only when an error is reported).
class Locator
{
public:
    Locator(const char *buffer, std::function<QByteArray()> original);

    // "line L, column C" (1-based, columns counted in characters).
    QString describe(qsizetype offset) const;
    // The same for a pointer into the parsed buffer.
    QString describe(const char *position) const { return describe(position - m_buffer); }

private:
    const char *m_buffer;
    std::function<QByteArray()> m_original;
};

} // namespace rowset
