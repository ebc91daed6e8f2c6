// Field values: construction and their text form.
#include "core/Variant.h"

#include "core/RuntimeError.h"

Variant Variant::text(const QString &value)
{
    Variant v;
    v.m_value = value;
    return v;
}

Variant Variant::integer(qint64 value)
{
    Variant v;
    v.m_value = value;
    return v;
}

Variant Variant::floating(double value)
{
    Variant v;
    v.m_value = value;
    return v;
}

Variant Variant::boolean(bool value)
{
    Variant v;
    v.m_value = value;
    return v;
}

Variant Variant::date(const QDateTime &value)
{
    Variant v;
    v.m_value = value;
    return v;
}

Variant Variant::binary(const QByteArray &value)
{
    Variant v;
    v.m_value = value;
    return v;
}

Variant Variant::unsignedInteger(quint64 value)
{
    Variant v;
    v.m_value = value;
    return v;
}

bool Variant::isNullOrEmpty() const { return isNull() || (type() == Type::Text && asText().isEmpty()); }

QString Variant::toText() const
{
    switch (type()) {
    case Type::Null: throw rt::RuntimeError::standard(rt::InvalidUseOfNull);
    case Type::Text: return asText();
    case Type::Integer: return QString::number(asInteger());
    case Type::Floating: return QString::number(asFloating(), 'g', 15);
    case Type::Boolean: return asBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Date: return asDate().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss"));
    case Type::Binary: return QString::fromLatin1(asBinary().toHex().toUpper());
    case Type::Unsigned: return QString::number(asUnsigned());
    }
    return {};
}
