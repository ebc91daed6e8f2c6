// Conversion of rowset attribute text to field values, by column type.
#include "rowset/RowsetValues.h"

#include "core/RuntimeError.h"
#include "rowset/RowsetWellFormed.h"

#include <QTimeZone>
#include <charconv>
#include <cmath>
#include <limits>

namespace rowset {

namespace {

struct IntegerType
{
    std::string_view name;
    qint64 minimum;
    qint64 maximum;
};

constexpr qint64 kLongMin = std::numeric_limits<qint64>::min();
constexpr qint64 kLongMax = std::numeric_limits<qint64>::max();

constexpr IntegerType kIntegerTypes[] = {
    {"i1", -128, 127},
    {"i2", -32768, 32767},
    {"i4", -2147483648LL, 2147483647LL},
    {"int", -2147483648LL, 2147483647LL},
    {"i8", kLongMin, kLongMax},
    {"ui1", 0, 255},
    {"ui2", 0, 65535},
    {"ui4", 0, 4294967295LL},
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool fail(ConversionFailure &failure, qint32 number, const char *reason)
{
    failure.number = number;
    failure.reason = reason;
    return false;
}

// Up to nine plain digits, the usual value, without the general parse.
bool shortDigits(std::string_view text, qint64 &number)
{
    if (text.empty() || text.size() > 9)
        return false;
    number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    return true;
}

bool convertInteger(const ColumnType &type, std::string_view text, Variant &value, ConversionFailure &failure)
{
    qint64 small = 0;
    if (shortDigits(text, small) && small <= type.maximum) {
        value = Variant::integer(small);
        return true;
    }
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    qint64 number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || end != text.data() + text.size())
        return fail(failure, rt::TypeMismatch, "not a whole number");
    if (error == std::errc::result_out_of_range || number < type.minimum || number > type.maximum)
        return fail(failure, rt::Overflow, "out of the column type's range");
    value = Variant::integer(number);
    return true;
}

// The whole unsigned 64-bit range; a negative number is out of it ("-0" is 0).
bool convertUnsigned(std::string_view text, Variant &value, ConversionFailure &failure)
{
    Variant signedValue;
    text = trimmed(text);
    if (!text.empty() && text.front() == '-') {
        if (!convertInteger({ValueKind::Integer, kLongMin, 0}, text, signedValue, failure))
            return false;
        if (signedValue.asInteger() < 0)
            return fail(failure, rt::Overflow, "out of the column type's range");
        text = "0";
    }
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    quint64 number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || end != text.data() + text.size())
        return fail(failure, rt::TypeMismatch, "not a whole number");
    if (error == std::errc::result_out_of_range)
        return fail(failure, rt::Overflow, "out of the column type's range");
    value = Variant::unsignedInteger(number);
    return true;
}

bool convertFloating(std::string_view text, Variant &value, ConversionFailure &failure)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || end != text.data() + text.size() || std::isnan(number))
        return fail(failure, rt::TypeMismatch, "not a number");
    if (error == std::errc::result_out_of_range || std::isinf(number))
        return fail(failure, rt::Overflow, "out of the range of a floating-point number");
    value = Variant::floating(number);
    return true;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if ((a[i] | 0x20) != (b[i] | 0x20))
            return false;
    }
    return true;
}

bool convertBoolean(std::string_view text, Variant &value, ConversionFailure &failure)
{
    text = trimmed(text);
    if (equalsIgnoringCase(text, "true") || text == "1" || text == "-1")
        value = Variant::boolean(true);
    else if (equalsIgnoringCase(text, "false") || text == "0")
        value = Variant::boolean(false);
    else
        return fail(failure, rt::TypeMismatch, "not True or False");
    return true;
}

// Reads exactly count digits at pos.
bool digits(std::string_view text, size_t &pos, int count, int &number)
{
    number = 0;
    for (int i = 0; i < count; ++i, ++pos) {
        if (pos >= text.size() || text[pos] < '0' || text[pos] > '9')
            return false;
        number = number * 10 + (text[pos] - '0');
    }
    return true;
}

bool expect(std::string_view text, size_t &pos, char c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

bool readDate(std::string_view text, size_t &pos, QDate &date)
{
    int year = 0, month = 0, day = 0;
    if (!digits(text, pos, 4, year) || !expect(text, pos, '-') || !digits(text, pos, 2, month)
        || !expect(text, pos, '-') || !digits(text, pos, 2, day))
        return false;
    date = QDate(year, month, day);
    return date.isValid();
}

// hh:mm:ss with an optional fraction (kept to the millisecond).
bool readTime(std::string_view text, size_t &pos, QTime &time)
{
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    if (!digits(text, pos, 2, hour) || !expect(text, pos, ':') || !digits(text, pos, 2, minute)
        || !expect(text, pos, ':') || !digits(text, pos, 2, second))
        return false;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        int scale = 100;
        const size_t start = pos;
        for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, scale /= 10)
            millisecond += (text[pos] - '0') * scale;
        if (pos == start)
            return false;
    }
    time = QTime(hour, minute, second, millisecond);
    return time.isValid();
}

// An optional zone: Z, or +hh:mm / -hh:mm (the colon may be left out).
bool readZone(std::string_view text, size_t &pos, QDate date, QTime time, QDateTime &result)
{
    if (pos == text.size()) {
        result = QDateTime(date, time);
        return true;
    }
    if (text[pos] == 'Z' && pos + 1 == text.size()) {
        result = QDateTime(date, time, Qt::UTC);
        return true;
    }
    const int sign = text[pos] == '-' ? -1 : 1;
    if (text[pos] != '+' && text[pos] != '-')
        return false;
    ++pos;
    int hours = 0, minutes = 0;
    if (!digits(text, pos, 2, hours))
        return false;
    expect(text, pos, ':');
    if (!digits(text, pos, 2, minutes) || pos != text.size() || hours > 14 || minutes > 59)
        return false;
    result = QDateTime(date, time, QTimeZone(sign * (hours * 3600 + minutes * 60)));
    return true;
}

bool convertDate(ValueKind kind, std::string_view text, Variant &value, ConversionFailure &failure)
{
    text = trimmed(text);
    size_t pos = 0;
    QDate date(1899, 12, 30); // the classic layer's day zero, for a time alone
    QTime time(0, 0);
    const bool timeOnly = kind == ValueKind::Time && text.size() > 2 && text[2] == ':';
    bool ok = true;
    if (timeOnly) {
        ok = readTime(text, pos, time);
    } else {
        ok = readDate(text, pos, date);
        if (ok && pos < text.size() && (text[pos] == 'T' || text[pos] == ' ')) {
            ++pos;
            ok = readTime(text, pos, time);
        }
    }
    QDateTime result;
    if (!ok || !readZone(text, pos, date, time, result) || !result.isValid())
        return fail(failure, rt::TypeMismatch, "not a date and time of the form yyyy-mm-ddThh:mm:ss");
    value = Variant::date(result);
    return true;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f')
        return (c | 0x20) - 'a' + 10;
    return -1;
}

bool convertHex(std::string_view text, Variant &value, ConversionFailure &failure)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(text.size() / 2));
    int high = -1;
    for (const char c : text) {
        if (isBlank(c))
            continue;
        const int digit = hexDigit(c);
        if (digit < 0)
            return fail(failure, rt::TypeMismatch, "not hexadecimal digits");
        if (high < 0) {
            high = digit;
        } else {
            bytes.append(char(high * 16 + digit));
            high = -1;
        }
    }
    if (high >= 0)
        return fail(failure, rt::TypeMismatch, "an odd number of hexadecimal digits");
    value = Variant::binary(bytes);
    return true;
}

// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX} in hexadecimal digits; kept as text.
bool convertUuid(std::string_view text, Variant &value, ConversionFailure &failure)
{
    text = trimmed(text);
    constexpr std::string_view shape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    bool ok = text.size() == shape.size();
    for (size_t i = 0; ok && i < shape.size(); ++i)
        ok = shape[i] == 'X' ? hexDigit(text[i]) >= 0 : text[i] == shape[i];
    if (!ok)
        return fail(failure, rt::TypeMismatch, "not a GUID of the form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}");
    value = Variant::text(QString::fromLatin1(text.data(), qsizetype(text.size())));
    return true;
}

} // namespace

ColumnType columnType(std::string_view name)
{
    for (const IntegerType &t : kIntegerTypes) {
        if (t.name == name)
            return {ValueKind::Integer, t.minimum, t.maximum};
    }
    if (name == "ui8")
        return {ValueKind::Unsigned};
    if (name == "r4" || name == "r8" || name == "float" || name == "number")
        return {ValueKind::Floating};
    if (name == "boolean")
        return {ValueKind::Boolean};
    if (name == "dateTime")
        return {ValueKind::DateTime};
    if (name == "date")
        return {ValueKind::Date};
    if (name == "time")
        return {ValueKind::Time};
    if (name == "bin.hex")
        return {ValueKind::Hex};
    if (name == "uuid")
        return {ValueKind::Uuid};
    return {ValueKind::Text};
}

bool convertValue(const ColumnType &type, std::string_view text, Variant &value, ConversionFailure &failure)
{
    switch (type.kind) {
    case ValueKind::Text: value = Variant::text(textOf(text)); return true;
    case ValueKind::Integer: return convertInteger(type, text, value, failure);
    case ValueKind::Unsigned: return convertUnsigned(text, value, failure);
    case ValueKind::Floating: return convertFloating(text, value, failure);
    case ValueKind::Boolean: return convertBoolean(text, value, failure);
    case ValueKind::DateTime:
    case ValueKind::Date:
    case ValueKind::Time: return convertDate(type.kind, text, value, failure);
    case ValueKind::Hex: return convertHex(text, value, failure);
    case ValueKind::Uuid: return convertUuid(text, value, failure);
    }
    return false;
}

} // namespace rowset
