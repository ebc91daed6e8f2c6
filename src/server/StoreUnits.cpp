// Sessions and units of the reference store: a unit is one transaction,
// begun at its first write and committed whole; each write in it runs under
// a savepoint, unless the unit was begun whole or nothing; the unit's first
// write to a partition locks the partition's row; revisions and the change
// history are written as the unit commits.
#include "server/ReferenceStore.h"

#include "server/ServerErrors.h"
#include "server/StoreStatements.h"

#include <QSqlError>
#include <algorithm>

namespace server {

namespace {

// SQLite's "database is busy" and "database table is locked".
bool lockHeld(const QSqlError &error)
{
    return error.nativeErrorCode() == QLatin1String("5") || error.nativeErrorCode() == QLatin1String("6");
}

} // namespace

StoreSession &ReferenceStore::session() { return m_entered.isEmpty() ? m_ownSession : *m_entered.last(); }

void ReferenceStore::enter(StoreSession &session) { m_entered.append(&session); }

void ReferenceStore::leave(StoreSession &session) noexcept
{
    const qsizetype last = m_entered.lastIndexOf(&session);
    if (last >= 0)
        m_entered.remove(last);
}

void ReferenceStore::beginUnit(bool wholeOrNothing)
{
    requireOpen();
    if (m_unit)
        throw StoreError(kDatabaseFailure, m_unit->session == &session()
                                               ? QStringLiteral("a unit of work is open already")
                                               : QStringLiteral("another session's save is in progress on this connection"));
    m_unit.emplace();
    m_unit->session = &session();
    m_unit->wholeOrNothing = wholeOrNothing;
}

void ReferenceStore::requireUnitGoingOn()
{
    if (sqliteTransactionLost())
        m_unit->ended = true;
    if (m_unit->ended)
        throw StoreError(kDatabaseFailure,
                         QStringLiteral("a write of this unit of work failed, so it can only be rolled back"));
}

void ReferenceStore::noteUnit(const QString &words)
{
    if (!m_unit || m_unit->session != &session())
        throw StoreError(kDatabaseFailure, QStringLiteral("no unit of work is open"));
    m_unit->note = words;
}

void ReferenceStore::commitUnit()
{
    if (!m_unit || m_unit->session != &session())
        throw StoreError(kDatabaseFailure, QStringLiteral("no unit of work is open"));
    if (m_unit->ended || sqliteTransactionLost()) {
        rollbackUnit();
        throw StoreError(kDatabaseFailure,
                         QStringLiteral("a write of this unit of work failed, so it was rolled back whole"));
    }
    if (m_unit->begun) {
        try {
            requireOpen();
            writeRevisionsAndHistory();
            QSqlQuery commit(database());
            if (!commit.exec(QStringLiteral("COMMIT")))
                fail(QStringLiteral("could not commit the transaction"), commit.lastError());
        } catch (...) {
            rollbackUnit();
            throw;
        }
    }
    // The notes move only now: a unit rolled back leaves them where they were.
    for (const auto &[key, partition] : m_unit->partitions) {
        if (partition.changed)
            m_unit->session->loaded.changed(key.first, key.second, partition.before,
                                            partition.before > 0 ? partition.before + 1 : 1);
    }
    forgetUnit();
}

void ReferenceStore::rollbackUnit() noexcept
{
    if (m_unit && m_unit->begun)
        endTransaction("ROLLBACK");
    forgetUnit();
}

void ReferenceStore::forgetUnit() noexcept
{
    const bool begun = m_unit && m_unit->begun;
    m_unit.reset();
    m_savepointHeld = false;
    if (begun && !m_postgres) {
        try {
            setSqliteWait(kReadWaitMs);
        } catch (...) { // a connection that broke: every later call says so
        }
    }
}

bool ReferenceStore::endTransaction(const char *statement) noexcept
{
    try {
        return QSqlQuery(database()).exec(QLatin1String(statement));
    } catch (...) {
        return false;
    }
}

void ReferenceStore::inTransaction(const std::function<void()> &work)
{
    if (m_unit) {
        if (m_unit->session != &session())
            throw StoreError(kDatabaseFailure, QStringLiteral("another session's save is in progress on this connection"));
        requireUnitGoingOn();
        try {
            return work();
        } catch (...) {
            if (m_unit && m_unit->wholeOrNothing)
                m_unit->ended = true;
            throw;
        }
    }
    beginUnit();
    try {
        work();
    } catch (...) {
        rollbackUnit();
        throw;
    }
    commitUnit();
}

// On PostgreSQL the wait is the session's lock timeout, which reads never
// meet: they take no lock that a writer holds.
void ReferenceStore::setWriteWait(int milliseconds)
{
    m_writeWaitMs = milliseconds;
    if (m_postgres)
        execute(QStringLiteral("SET lock_timeout = %1").arg(milliseconds));
}

void ReferenceStore::setSqliteWait(int milliseconds)
{
    execute(QStringLiteral("PRAGMA busy_timeout = %1").arg(milliseconds));
}

// SQLite: BEGIN IMMEDIATE takes the write lock before the first read, waiting
// for another writer to finish; a deferred transaction that read first could
// not take it later and would fail at once. The unit keeps the longer wait
// until it ends, as its commit may wait for readers of a rollback journal.
void ReferenceStore::beginTransaction()
{
    if (m_unit->begun)
        return;
    requireOpen();
    const int wait = m_lockedUntil && !m_lockedUntil->hasExpired() ? 0 : m_writeWaitMs;
    if (!m_postgres)
        setSqliteWait(wait);
    QSqlQuery begin(database());
    if (begin.exec(QLatin1String(m_postgres ? "BEGIN" : "BEGIN IMMEDIATE"))) {
        m_unit->begun = true;
        m_lockedUntil.reset();
        return;
    }
    const QSqlError error = begin.lastError();
    if (!m_postgres)
        setSqliteWait(kReadWaitMs);
    if (!lockHeld(error))
        fail(QStringLiteral("could not start a transaction"), error);
    if (wait > 0)
        m_lockedUntil = QDeadlineTimer(m_writeWaitMs);
    throw StoreError(kDatabaseFailure,
                     QStringLiteral("the store \"%1\" is locked by another writer%2; nothing was written")
                         .arg(database().databaseName(),
                              wait > 0 ? QStringLiteral(" (waited %1 s)").arg(wait / 1000.0) : QString()));
}

// On PostgreSQL the savepoint of a write that went through is released with
// the next write's, in one round trip (the commit releases the last). A unit
// begun whole or nothing takes none: its first failure ends it. A unit whose
// transaction did not outlive a failed write ends too.
void ReferenceStore::underSavepoint(const std::function<void()> &work)
{
    if (m_unit->wholeOrNothing) {
        try {
            return work();
        } catch (...) {
            m_unit->ended = true;
            throw;
        }
    }
    if (!m_postgres)
        runPrepared(QStringLiteral("SAVEPOINT write_call"));
    else if (m_savepointHeld)
        execute(QStringLiteral("RELEASE SAVEPOINT write_call; SAVEPOINT write_call"));
    else
        execute(QStringLiteral("SAVEPOINT write_call")); // PostgreSQL prepares no savepoints
    m_savepointHeld = true;
    try {
        work();
    } catch (...) {
        // SQLite may answer a full disk, an I/O error or a trigger's
        // RAISE(ROLLBACK) by rolling back the whole transaction, and a lost
        // connection takes it too. The savepoint is then gone: the unit
        // ends, so that no later write of it runs outside a transaction.
        if (!endTransaction("ROLLBACK TO SAVEPOINT write_call"))
            m_unit->ended = true;
        endTransaction("RELEASE SAVEPOINT write_call");
        m_savepointHeld = false;
        throw;
    }
    if (!m_postgres) {
        runPrepared(QStringLiteral("RELEASE SAVEPOINT write_call"));
        m_savepointHeld = false;
    }
}

// A statement without values that runs often, prepared once (SQLite only:
// PostgreSQL prepares no transaction control).
void ReferenceStore::runPrepared(const QString &sql) { write(sql, {}); }

void ReferenceStore::changePartition(qint16 configId, qint16 partitionId, bool checked, Writer writer,
                                     const ChangeWork &work)
{
    if (!m_unit)
        return inTransaction([&] { changePartition(configId, partitionId, checked, writer, work); });
    if (m_unit->session != &session())
        throw StoreError(kDatabaseFailure, QStringLiteral("another session's save is in progress on this connection"));
    requireUnitGoingOn();
    beginTransaction();
    const PartitionKey key{configId, partitionId};
    const bool known = m_unit->partitions.count(key) > 0;
    try {
        underSavepoint([&] {
            // A partition first met here is locked inside the savepoint, so it
            // leaves the view when the savepoint goes (with its lock).
            UnitPartition &partition =
                known ? m_unit->partitions.at(key)
                      : m_unit->partitions.emplace(key, lockedPartition(configId, partitionId)).first->second;
            const std::optional<qint32> seen = m_unit->session->loaded.seen(configId, partitionId);
            if (checked && writer == Writer::Session && seen && *seen != partition.before)
                throw StoreError(kChangedByOthers, changedByOthersText(partitionId));
            Change change;
            work(partition, change);
            if (change.values.isEmpty())
                return;
            partition.changed = true;
            if (writer == Writer::Session)
                for (Change::Value &value : change.values)
                    m_unit->history.append({key, std::move(value)});
        });
    } catch (...) {
        if (!known)
            m_unit->partitions.erase(key);
        throw;
    }
}

ReferenceStore::UnitPartition ReferenceStore::lockedPartition(qint16 configId, qint16 partitionId)
{
    UnitPartition partition;
    partition.before = lockedRevision(configId, partitionId);
    partition.stored = partition.before > 0;
    return partition;
}

// Reads the revision and, on PostgreSQL, locks the partition's row until the
// transaction ends (SQLite's write lock already covers the whole store).
qint32 ReferenceStore::lockedRevision(qint16 configId, qint16 partitionId)
{
    QSqlQuery &query = prepare(storeStatements().revision + (m_postgres ? QStringLiteral(" FOR UPDATE") : QString()));
    run(query, {int(configId), int(partitionId)});
    const qint32 found = query.next() ? query.value(0).toInt() : 0;
    query.finish();
    return found;
}

// An import's unit holds a million changes: the list grows by reallocation.
static_assert(QTypeInfo<std::pair<std::pair<qint16, qint16>, ChangedValue>>::isRelocatable);

// Each changed partition counts one revision up (one stored by the unit
// starts at 1), and the session's changes go into the history, partition by
// partition.
void ReferenceStore::writeRevisionsAndHistory()
{
    for (const auto &[key, partition] : m_unit->partitions) {
        if (partition.changed && partition.before > 0)
            write(storeStatements().setRevision, {partition.before + 1, int(key.first), int(key.second)});
    }
    QList<std::pair<PartitionKey, Change::Value>> &history = m_unit->history;
    // By partition, each partition's changes in the order they were made. A
    // unit that wrote partition after partition (an import) is so already.
    const auto byPartition = [](const auto &a, const auto &b) { return a.first < b.first; };
    if (!std::is_sorted(history.begin(), history.end(), byPartition))
        std::stable_sort(history.begin(), history.end(), byPartition);
    if (!history.isEmpty())
        recordHistory(history, m_unit->note.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(m_unit->note));
}

} // namespace server
