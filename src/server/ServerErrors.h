// Errors of the reference server components. The store reports why something
// failed as a StoreError; each component turns that into the run-time error
// its callers trap, with its own ProgID as source and a description that says
// which operation failed for which configuration or partition:
// "<context>: <reason>", the context built by the functions below.
#pragma once

#include "core/RuntimeError.h"
#include "server/StoreRows.h"

#include <QByteArray>
#include <QString>
#include <exception>
#include <type_traits>
#include <utility>

namespace server {

// Error numbers of the components: application errors start at the
// platform's vbObjectError + 513, as component writers were told to number them.
inline constexpr qint32 kObjectError = -2147221504;            // vbObjectError
inline constexpr qint32 kDatabaseFailure = kObjectError + 513; // the database refused or failed
inline constexpr qint32 kRecordMissing = kObjectError + 515;   // a row the operation needs is not there
inline constexpr qint32 kChangedByOthers = kObjectError + 516; // someone else saved the partition since it was loaded

// A failure inside the store: its number (one of the above) and why.
class StoreError : public std::exception
{
public:
    StoreError(qint32 number, QString reason) : m_number(number), m_reason(std::move(reason)), m_what(m_reason.toUtf8())
    {
    }

    qint32 number() const { return m_number; }
    const QString &reason() const { return m_reason; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    qint32 m_number;
    QString m_reason;
    QByteArray m_what;
};

// The error a component raises: its ProgID as source, "<context>: <reason>"
// as description.
rt::RuntimeError componentError(qint32 number, const QString &progId, const QString &context, const QString &reason);

// "partition <p> of configuration <c>"
QString partitionText(qint16 configId, qint16 partitionId);
// "<operation> for partition <p> of configuration <c>"
QString partitionContext(const char *operation, qint16 configId, qint16 partitionId);
// "<operation> for node type <t> in partition <p> of configuration <c>"
QString nodeMaxContext(const char *operation, const NodeMaxRow &row);

// What the user reads when another user saved the partition in between: what
// happened and what to do, without the operation's context.
QString changedByOthersText(qint16 partitionId);

// Runs one operation of a component: a StoreError becomes the component's
// error with that context.
// The context is a text, or a function that makes it: a call that goes
// through then never spends time on it.
template <typename Context, typename Operation>
auto asComponent(const QString &progId, const Context &context, Operation &&run) -> decltype(run())
{
    try {
        return run();
    } catch (const StoreError &e) {
        if (e.number() == kChangedByOthers)
            throw rt::RuntimeError(e.number(), progId, e.reason());
        if constexpr (std::is_invocable_v<const Context &>)
            throw componentError(e.number(), progId, context(), e.reason());
        else
            throw componentError(e.number(), progId, context, e.reason());
    }
}

} // namespace server
