// The run-time error that every procedure of the component traps: a number,
// the source it arose in and a description, numbered and worded as the
// classic BASIC runtime does so that logs read as this system's users know them.
#pragma once

#include <QString>
#include <exception>

namespace rt {

// Source text of errors raised by the component's own code.
inline constexpr const char *kOwnSource = "VEL_PART_SET";

enum ErrorNumber : qint32 {
    InvalidProcedureCall = 5,
    Overflow = 6,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    ObjectNotSet = 91,
    InvalidUseOfNull = 94,
    InternalError = 51,
    InvalidPropertyValue = 380,
    InvalidPropertyArrayIndex = 381,
    TextPropertyReadOnly = 383,
    CannotCreateObject = 429,
    KeyAlreadyAssociated = 457,
    UnsupportedValueType = 1001,
};

// The runtime's own wording for the numbers above ("Overflow", ...);
// an unknown number gives "Application-defined or object-defined error".
QString standardDescription(qint32 number);

class RuntimeError : public std::exception
{
public:
    RuntimeError(qint32 number, QString source, QString description);

    // An error of the component itself, with the runtime's wording.
    static RuntimeError standard(qint32 number);
    // An error of the component itself with a description of its own.
    static RuntimeError own(qint32 number, const QString &description);

    qint32 number() const { return m_number; }
    const QString &source() const { return m_source; }
    const QString &description() const { return m_description; }

    // How a handler or loader names the error in its message: the source,
    // ":", the procedure's name and a blank, a line break, the description.
    QString locatedIn(const QString &procedure) const;

    const char *what() const noexcept override { return m_what.constData(); }

private:
    qint32 m_number;
    QString m_source;
    QString m_description;
    QByteArray m_what;
};

// The error being handled, for use inside a catch (...) block: a
// RuntimeError as it is, any other exception as error 51 (Internal error)
// carrying its message.
RuntimeError currentError();

} // namespace rt
