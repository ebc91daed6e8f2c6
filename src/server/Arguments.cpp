// Strict decimal arguments of the reference components.
#include "server/Arguments.h"

#include "rowset/Rowset.h"
#include "server/ServerErrors.h"

#include <algorithm>
#include <limits>

namespace server {

ArgumentReader::ArgumentReader(QString source, QString operation)
    : m_source(std::move(source)), m_operation(std::move(operation))
{
}

qint16 ArgumentReader::integer(const QString &what, const QString &text) const
{
    return qint16(parse(what, text, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

qint32 ArgumentReader::longValue(const QString &what, const QString &text) const
{
    return qint32(parse(what, text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

qint16 ArgumentReader::count(const QString &what, const QString &text) const
{
    return qint16(parse(what, text, 0, std::numeric_limits<qint16>::max()));
}

std::optional<qint16> ArgumentReader::optionalCount(const QString &what, const QString &text) const
{
    if (text.isEmpty())
        return std::nullopt;
    return count(what, text);
}

qint32 ArgumentReader::seconds(const QString &what, const QString &text) const
{
    return qint32(parse(what, text, 0, std::numeric_limits<qint32>::max()));
}

const QString &ArgumentReader::text(const QString &what, const QString &text) const
{
    const QString character = rowset::uncarriableCharacter(text);
    if (!character.isEmpty())
        fail(rt::InvalidProcedureCall,
             QStringLiteral("the %1 holds %2, which no answer can carry").arg(what, character));
    return text;
}

namespace {

// An optional minus sign, then one or more of the ASCII digits, and nothing
// else: no blanks, no plus sign, no other script's digits.
bool wholeDecimal(QStringView text)
{
    if (text.startsWith(u'-'))
        text = text.sliced(1);
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

qint64 ArgumentReader::parse(const QString &what, const QString &text, qint64 lowest, qint64 highest) const
{
    if (!wholeDecimal(text))
        fail(rt::TypeMismatch, QStringLiteral("the %1 \"%2\" is not a whole decimal number").arg(what, text));
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < lowest || value > highest)
        fail(rt::Overflow,
             QStringLiteral("the %1 %2 is outside the range %3 to %4").arg(what, text).arg(lowest).arg(highest));
    return value;
}

void ArgumentReader::fail(qint32 number, const QString &problem) const
{
    throw componentError(number, m_source, m_operation, problem);
}

} // namespace server
