// Checked conversions and 16-bit arithmetic.
#include "core/Numbers.h"

#include "core/RuntimeError.h"
#include "core/Variant.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace rt {
namespace {

template <typename T> T roundChecked(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError::standard(Overflow);
    // Half to even, as the runtime rounds.
    const double rounded = std::nearbyint(value);
    if (rounded < double(std::numeric_limits<T>::min()) || rounded > double(std::numeric_limits<T>::max()))
        throw RuntimeError::standard(Overflow);
    return static_cast<T>(rounded);
}

template <typename T> T variantTo(const Variant &value)
{
    switch (value.type()) {
    case Variant::Type::Null: throw RuntimeError::standard(InvalidUseOfNull);
    case Variant::Type::Text: return roundChecked<T>(textToDouble(value.asText()));
    case Variant::Type::Integer: return roundChecked<T>(double(value.asInteger()));
    case Variant::Type::Unsigned: return roundChecked<T>(double(value.asUnsigned()));
    case Variant::Type::Floating: return roundChecked<T>(value.asFloating());
    case Variant::Type::Boolean: return value.asBoolean() ? T(-1) : T(0);
    case Variant::Type::Date:
    case Variant::Type::Binary: break;
    }
    throw RuntimeError::standard(TypeMismatch);
}

} // namespace

double textToDouble(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    const QString trimmed = text.trimmed();
    if (!number.match(trimmed).hasMatch())
        throw RuntimeError::standard(TypeMismatch);
    const double value = trimmed.toDouble();
    if (!std::isfinite(value))
        throw RuntimeError::standard(Overflow);
    return value;
}

qint16 textToInteger(const QString &text) { return roundChecked<qint16>(textToDouble(text)); }
qint32 textToLong(const QString &text) { return roundChecked<qint32>(textToDouble(text)); }

double toDouble(const Variant &value)
{
    switch (value.type()) {
    case Variant::Type::Null: throw RuntimeError::standard(InvalidUseOfNull);
    case Variant::Type::Text: return textToDouble(value.asText());
    case Variant::Type::Integer: return double(value.asInteger());
    case Variant::Type::Unsigned: return double(value.asUnsigned());
    case Variant::Type::Floating: return value.asFloating();
    case Variant::Type::Boolean: return value.asBoolean() ? -1.0 : 0.0;
    case Variant::Type::Date:
    case Variant::Type::Binary: break;
    }
    throw RuntimeError::standard(TypeMismatch);
}

qint16 toInteger(const Variant &value) { return variantTo<qint16>(value); }
qint32 toLong(const Variant &value) { return variantTo<qint32>(value); }

qint16 checkedInteger(qint64 value)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw RuntimeError::standard(Overflow);
    return static_cast<qint16>(value);
}

qint32 checkedLong(qint64 value)
{
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        throw RuntimeError::standard(Overflow);
    return static_cast<qint32>(value);
}

qint16 addInteger(qint16 a, qint16 b) { return checkedInteger(qint64(a) + b); }
qint16 subtractInteger(qint16 a, qint16 b) { return checkedInteger(qint64(a) - b); }
qint16 multiplyInteger(qint16 a, qint16 b) { return checkedInteger(qint64(a) * b); }

} // namespace rt
