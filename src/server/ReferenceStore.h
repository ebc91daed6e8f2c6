// The one store behind all reference components: a Qt Sql connection of its
// own (a SQLite file, or a PostgreSQL database shared by several machines),
// the schema, and the reads and writes the components need. Every statement
// binds its values. Failures are StoreErrors whose reason carries the
// database's own message.
//
// Writes go in units (StoreUnits.cpp): a unit is one transaction, begun at its
// first write (on SQLite with the write lock, on PostgreSQL with the lock of
// each partition row it changes) and committed whole; each write inside it
// runs under a savepoint of its own, so that a refused write fails alone. A
// write made outside a unit is a unit of its own. Reads take no lock: they
// never wait for a writer (on SQLite they give up after kReadWaitMs, which
// only a rollback journal's exclusive lock can make them reach).
//
// Sessions: the partitions a session loaded are remembered with their
// revision, and its change of a partition that someone else saved since it
// was loaded is refused. A unit counts each partition it changed one revision
// up and records the change history as it commits; a unit that is rolled
// back moves no revision note.
#pragma once

#include "rowset/RecordSet.h"
#include "server/StoreRows.h"
#include "server/StoreSchema.h"
#include "server/StoreSession.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QSqlError;
struct sqlite3;
struct sqlite3_stmt;

namespace server {

struct ConnectionSettings
{
    QString driver = QStringLiteral("QSQLITE");
    QString databaseName; // the SQLite file, or the server's database
    QString hostName;
    int port = -1;
    QString userName;
    QString password;
    QString options; // the driver's connect options
};

// How long a write waits for another writer's lock before it fails, and how
// long a read waits for a rollback journal's exclusive lock.
inline constexpr int kWriteWaitMs = 60000;
inline constexpr int kReadWaitMs = 1000;

// One value a write changed: its item, its value before (null: none) and
// after.
struct ChangedValue
{
    QString item;
    QVariant before;
    QVariant after;
};

} // namespace server

// It moves as its bytes (its QString and QVariants do), so that a unit's long
// list of changes grows without moving each one.
Q_DECLARE_TYPEINFO(server::ChangedValue, Q_RELOCATABLE_TYPE);

namespace server {

class ReferenceStore
{
public:
    // What opening does to a database without the current schema: create it
    // with the sample configuration, create it alone, or (Existing) nothing:
    // only a current store is opened, and nothing is written on the way.
    enum class Seeding { SampleConfiguration, SchemaOnly, Existing };
    // Who writes: the set-up of a store (the sample, fixtures) writes as it is
    // told; a session's writes are checked against what it loaded and go into
    // the change history.
    enum class Writer { Setup, Session };

    // Opens the database; when it holds no tables yet, creates the schema and
    // (unless told otherwise) fills in the sample configuration. A database
    // that holds other tables than this store's is refused untouched.
    explicit ReferenceStore(const ConnectionSettings &settings, Seeding seeding = Seeding::SampleConfiguration);
    static std::shared_ptr<ReferenceStore> openSqlite(const QString &filePath,
                                                      Seeding seeding = Seeding::SampleConfiguration);
    // A SQLite file path, or a postgresql:// URI (StoreLocation.h).
    static std::shared_ptr<ReferenceStore> open(const QString &location,
                                                Seeding seeding = Seeding::SampleConfiguration);
    ~ReferenceStore();
    ReferenceStore(const ReferenceStore &) = delete;
    ReferenceStore &operator=(const ReferenceStore &) = delete;

    // False when this connection cannot write: a SQLite file (or its folder)
    // this user may not write, or a PostgreSQL store without the right to
    // update its partitions or in a read-only session.
    bool mayWrite() const;
    // True when this SQLite store's answers, writes and history go through
    // SQLite's own library (StoreSqliteDirect.cpp), false on PostgreSQL,
    // on Windows and with a Qt that carries a SQLite of its own.
    bool throughSqliteLibrary() const { return m_sqliteDirect; }
    // The store's own connection (tests use it to break the store on purpose).
    QSqlDatabase database() const;
    // Closes the connection: every later operation fails with "not open".
    void close();

    // Reads, as the components answer them (columns in contract order).
    RecordSet partitionSettings(qint16 configId, qint16 partitionId) const;
    RecordSet partitions(qint16 configId) const;
    RecordSet configurations() const;
    RecordSet nodeTypes() const;
    RecordSet nodeMaxima(qint16 configId, qint16 partitionId) const;
    // The partition this session selected last; a selection is the session's
    // own and never written, so read-only users need no write access.
    std::optional<qint16> selectedPartition() const;
    // A session loading a partition: the same answers, and the revision of the
    // partition they show is remembered for the session's later changes.
    RecordSet loadPartitionSettings(qint16 configId, qint16 partitionId);
    RecordSet loadNodeMaxima(qint16 configId, qint16 partitionId);
    // The same for every partition of the configuration at once; the session
    // notes every partition's revision, and the absence of those not stored.
    RecordSet loadAllPartitionSettings(qint16 configId);
    RecordSet loadAllNodeMaxima(qint16 configId);
    // The partition's revision: 1 when stored, one more with each committed
    // unit that changed it; 0 when there is no such partition.
    qint32 revision(qint16 configId, qint16 partitionId) const;
    // The revisions of the configuration's stored partitions.
    std::map<qint16, qint32> revisions(qint16 configId) const;
    // The change history, newest first; either filter may be left out.
    QList<ChangeRow> history(std::optional<qint16> configId, std::optional<qint16> partitionId) const;

    // Writes. Inserts keep what is there, so that two sessions creating the
    // same partition at once both succeed and the first one's values stand.
    bool insertPartition(const PartitionRow &row, Writer writer = Writer::Setup); // false: kept
    void savePartition(const PartitionRow &row, Writer writer = Writer::Setup);   // updates, or stores a missing row
    bool insertNodeMax(const NodeMaxRow &row, Writer writer = Writer::Setup);     // false: kept
    void saveNodeMax(const NodeMaxRow &row, Writer writer = Writer::Setup);       // updates, or stores a missing row
    void selectPartition(qint16 partitionId);                                     // the session's selection only
    void addConfiguration(const ConfigurationRow &row);
    void setConfigurationInUse(qint16 configId);
    void addNodeTypeRow(const NodeTypeRow &row);

    // Sessions: between enter() and the matching leave() the store works in
    // that session (entries nest); otherwise in its own.
    void enter(StoreSession &session);
    void leave(StoreSession &session) noexcept;
    // Units of the current session. beginUnit() opens one (a StoreError when
    // one is open); commitUnit() makes its writes durable together, or
    // rolls them back and fails; rollbackUnit() drops them. In a unit begun
    // whole or nothing the writes take no savepoint each, and the first that
    // fails ends the unit: later writes and the commit are refused. Any unit
    // ends so once its transaction is lost.
    void beginUnit(bool wholeOrNothing = false);
    void commitUnit();
    void rollbackUnit() noexcept;
    bool unitOpen() const { return m_unit.has_value(); }
    // Words the history adds to each change of the open unit ("Name (copied
    // from partition 3)").
    void noteUnit(const QString &words);
    // Runs work in one unit, or in the open one; an exception rolls the unit
    // it opened back and goes on to the caller.
    void inTransaction(const std::function<void()> &work);
    // How long a unit's first write waits for another writer (kWriteWaitMs).
    // Once a wait ran out, writes in the same length of time after it fail
    // at once, so that one save that meets a held lock waits once.
    void setWriteWait(int milliseconds);

    bool isPostgres() const { return m_postgres; }

private:
    // What one change of a partition did: the values it changed, each with
    // its value before (null: none) and after.
    struct Change
    {
        using Value = ChangedValue;
        QList<Value> values;

        void compare(const QString &item, const QVariant &before, const QVariant &after)
        {
            if (before.isNull() != after.isNull() || before.toString() != after.toString())
                values.append({item, before, after});
        }
    };
    // A partition that the open unit wrote to: its revision when the unit
    // first locked it, whether it is stored (it may have been inserted by the
    // unit) and whether the unit changed it; once a node write asked for
    // them, its stored maxima by node type (its row is locked, so nobody else
    // changes them while the unit is open).
    struct UnitPartition
    {
        qint32 before = 0;
        bool stored = false;
        bool changed = false;
        std::optional<std::map<qint16, qint16>> maxima;
    };
    using PartitionKey = std::pair<qint16, qint16>;
    struct Unit
    {
        StoreSession *session = nullptr;
        bool begun = false; // the transaction is open
        bool wholeOrNothing = false;
        bool ended = false; // a write failed in a unit begun whole or nothing, or took the transaction with it
        std::map<PartitionKey, UnitPartition> partitions;
        std::optional<QList<qint16>> nodeTypes; // the listed ids, once asked for
        QHash<qint16, QString> nodeMaximumItems; // history item names, made once for each node type
        QList<std::pair<PartitionKey, Change::Value>> history; // the session's changes, in the order made
        QString note;
    };
    // The work of one write on the unit's view of the partition; it notes
    // what it changed. It changes the view only after its last statement went
    // through, so that a refused write leaves the view as the savepoint
    // leaves the rows.
    using ChangeWork = std::function<void(UnitPartition &partition, Change &change)>;

    // A StoreError once a write ended the unit, or once its transaction is
    // gone (which then ends it).
    void requireUnitGoingOn();
    void prepareSchema(Seeding seeding);
    void createSchema(Seeding seeding);
    void requireCurrentSchema(schema::Contents contents) const; // a StoreError unless current
    void tuneSqlite();
    void execute(const QString &sql);
    void runPrepared(const QString &sql);
    // Runs a statement that answers no rows, prepared once per connection
    // (on SQLite through its own library where it may); the number of rows
    // it changed.
    qsizetype write(const QString &sql, const QVariantList &values);
    void requireOpen() const; // a closed connection is a StoreError
    // The statement prepared once per connection, its values bound; the
    // caller reads it and then calls finish().
    QSqlQuery &prepare(const QString &sql) const;
    void run(QSqlQuery &query, const QVariantList &values) const;
    StoreSession &session();
    // Begins the open unit's transaction at its first write.
    void beginTransaction();
    void setSqliteWait(int milliseconds);
    bool endTransaction(const char *statement) noexcept; // false when it did not run
    // Runs one write of the open unit under a savepoint: a write that fails
    // leaves what the unit wrote before it.
    void underSavepoint(const std::function<void()> &work);
    void writeRevisionsAndHistory();
    void forgetUnit() noexcept;
    RecordSet answer(const QString &sql, const QVariantList &values, const QList<FieldInfo> &layout) const;
    // SQLite's reads straight through its C library on Qt's connection
    // (StoreSqliteDirect.cpp): whether this connection allows them, and the
    // answer read so (nothing when its values cannot be bound there). Its
    // statements are prepared once per connection and finalized before the
    // connection closes (Qt cannot close it while one is left).
    bool mayReadDirectly() const;
    // True when the open unit began its transaction and SQLite ended it on
    // its own (after a full disk, an I/O error or a trigger's
    // RAISE(ROLLBACK)); false where the store cannot tell (it does not go
    // through this SQLite library), and on PostgreSQL, which never does.
    bool sqliteTransactionLost() const;
    std::optional<RecordSet> directAnswer(const QString &sql, const QVariantList &values,
                                          const QList<FieldInfo> &layout) const;
    void finalizeDirectStatements() noexcept;
    // A statement that answers no rows, run straight through SQLite: the
    // number of rows it changed; nothing when its values cannot be bound there.
    std::optional<qsizetype> directWrite(const QString &sql, const QVariantList &values);
    // The statement for the direct path, prepared at its first use.
    sqlite3_stmt *directStatement(sqlite3 *db, const QString &sql) const;
    // The changes written straight through SQLite, each with the time, user
    // and machine given and its item followed by itemWords; false when this
    // connection holds no SQLite handle.
    bool recordHistoryDirectly(const QList<std::pair<PartitionKey, Change::Value>> &changes,
                               const std::array<QString, 3> &whenWhoWhere, const QString &itemWords);
    bool exists(const QString &sql, const QVariantList &values) const;
    void requireConfiguration(qint16 configId) const;
    QVariantList storedValues(const QString &sql, const QVariantList &key) const;
    bool insertedPartition(const PartitionRow &row);
    void writePartitionValues(UnitPartition &partition, const PartitionRow &row, Change &change);
    bool changeNodeMax(const NodeMaxRow &row, bool keepStored, Writer writer);
    // The stored maximum (none: not stored) of a listed node type; a node type
    // not listed is a StoreError.
    std::optional<qint16> storedNodeMax(UnitPartition &partition, const NodeMaxRow &row);
    // Updates the row when present, else inserts it.
    void writeNodeMax(bool present, const NodeMaxRow &row);
    // One change of a partition in the open unit (or in one of its own): the
    // unit's first write to it locks its row; a checked change is refused when
    // someone else changed it since this session loaded it; the work's
    // changes count for the unit's commit.
    void changePartition(qint16 configId, qint16 partitionId, bool checked, Writer writer, const ChangeWork &work);
    // The unit's view of the partition, its row locked by the unit.
    UnitPartition lockedPartition(qint16 configId, qint16 partitionId);
    qint32 lockedRevision(qint16 configId, qint16 partitionId);
    // The changes, each item followed by the words given.
    void recordHistory(const QList<std::pair<PartitionKey, Change::Value>> &changes, const QString &itemWords);
    static constexpr qsizetype kChangesPerStatement = 64;
    [[noreturn]] void fail(const QString &what, const QSqlError &error) const;

    QString m_connectionName;
    bool m_postgres = false;
    bool m_sqliteDirect = false; // a SQLite store whose answers, writes and history go through its own library
    mutable std::map<QString, QSqlQuery> m_statements; // a map: references to its entries stay valid
    mutable std::map<QString, sqlite3_stmt *> m_directStatements;
    StoreSession m_ownSession;
    QList<StoreSession *> m_entered;
    std::optional<Unit> m_unit;
    bool m_savepointHeld = false; // the open unit's last write's savepoint, released with the next one
    int m_writeWaitMs = kWriteWaitMs;
    std::optional<QDeadlineTimer> m_lockedUntil; // after a wait for the lock ran out: writes fail at once
    std::optional<qint16> m_selected; // the session's selection: never written to the database
};

} // namespace server
