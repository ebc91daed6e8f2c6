// Run-time error type and the runtime's standard error texts.
#include "core/RuntimeError.h"

namespace rt {

QString standardDescription(qint32 number)
{
    switch (number) {
    case InvalidProcedureCall: return QStringLiteral("Invalid procedure call or argument");
    case Overflow: return QStringLiteral("Overflow");
    case SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case TypeMismatch: return QStringLiteral("Type mismatch");
    case ObjectNotSet: return QStringLiteral("Object variable or With block variable not set");
    case InvalidUseOfNull: return QStringLiteral("Invalid use of Null");
    case InternalError: return QStringLiteral("Internal error");
    case InvalidPropertyValue: return QStringLiteral("Invalid property value");
    case InvalidPropertyArrayIndex: return QStringLiteral("Invalid property array index");
    case TextPropertyReadOnly: return QStringLiteral("'Text' property is read-only");
    case CannotCreateObject: return QStringLiteral("ActiveX component can't create object");
    case KeyAlreadyAssociated:
        return QStringLiteral("This key is already associated with an element of this collection");
    case UnsupportedValueType: return QStringLiteral("Unsupported value type");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

RuntimeError::RuntimeError(qint32 number, QString source, QString description)
    : m_number(number), m_source(std::move(source)), m_description(std::move(description)),
      m_what(QStringLiteral("%1 (%2): %3").arg(m_number).arg(m_source, m_description).toUtf8())
{
}

QString RuntimeError::locatedIn(const QString &procedure) const
{
    return m_source + QStringLiteral(":") + procedure + QStringLiteral(" \r\n") + m_description;
}

RuntimeError RuntimeError::standard(qint32 number)
{
    return RuntimeError(number, QString::fromLatin1(kOwnSource), standardDescription(number));
}

RuntimeError RuntimeError::own(qint32 number, const QString &description)
{
    return RuntimeError(number, QString::fromLatin1(kOwnSource), description);
}

RuntimeError currentError()
{
    try {
        throw;
    } catch (const RuntimeError &error) {
        return error;
    } catch (const std::exception &error) {
        return RuntimeError::own(InternalError, standardDescription(InternalError) + QStringLiteral(": ")
                                                    + QString::fromLocal8Bit(error.what()));
    } catch (...) {
        return RuntimeError::standard(InternalError);
    }
}

} // namespace rt
