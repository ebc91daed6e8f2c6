// Conversion of raw registry value bytes to a field value by value type.
#include "platform/RegistryValueConversion.h"

#include "core/RuntimeError.h"

#include <QString>
#include <QtEndian>

namespace platform {
namespace {

Variant textOf(const QByteArray &data, qint64 length)
{
    if (length < 0)
        throw rt::RuntimeError::standard(rt::InvalidProcedureCall);
    return Variant::text(QString::fromLocal8Bit(data.left(length)));
}

Variant bytesOf(const QByteArray &data, quint32 length)
{
    QByteArray bytes = data.left(length);
    bytes.resize(length, '\0');
    return Variant::binary(bytes);
}

Variant longOf(const QByteArray &data)
{
    QByteArray bytes = data.left(4);
    bytes.resize(4, '\0');
    return Variant::integer(qFromLittleEndian<qint32>(bytes.constData()));
}

} // namespace

Variant convertRegistryValue(quint32 valueType, const QByteArray &data, quint32 reportedLength)
{
    switch (valueType) {
    case RegistryType::Text:
    case RegistryType::ExpandableText: return textOf(data, qint64(reportedLength) - 1);
    case RegistryType::MultiText: return textOf(data, qint64(reportedLength) - 2);
    case RegistryType::Binary: return bytesOf(data, reportedLength);
    case RegistryType::Number: return longOf(data);
    default: throw rt::RuntimeError::standard(rt::UnsupportedValueType);
    }
}

} // namespace platform
