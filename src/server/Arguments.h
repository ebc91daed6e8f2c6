// Strict reading of the decimal texts in which the components receive their
// numeric arguments: optional minus sign and digits, nothing else. A text that
// is no such number is error 13 (Type mismatch), one that does not fit is
// error 6 (Overflow); both name the argument and show the text received.
// Texts are stored as they come, unless they hold a character that no answer
// can carry (error 5, naming the argument and the character).
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace server {

class ArgumentReader
{
public:
    // source: the ProgID of the component; operation: its operation's name.
    ArgumentReader(QString source, QString operation);

    qint16 integer(const QString &what, const QString &text) const;   // 16-bit
    qint32 longValue(const QString &what, const QString &text) const; // 32-bit
    // 16-bit and not negative (partition numbers, node types, counts).
    qint16 count(const QString &what, const QString &text) const;
    // Like count(), but the empty text means "no value".
    std::optional<qint16> optionalCount(const QString &what, const QString &text) const;
    // 32-bit and not negative (times in seconds).
    qint32 seconds(const QString &what, const QString &text) const;
    const QString &text(const QString &what, const QString &text) const;

private:
    qint64 parse(const QString &what, const QString &text, qint64 lowest, qint64 highest) const;
    [[noreturn]] void fail(qint32 number, const QString &problem) const;

    QString m_source;
    QString m_operation;
};

} // namespace server
