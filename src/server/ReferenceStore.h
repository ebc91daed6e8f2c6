// The one store behind all reference components: a Qt Sql connection of its
// own (a SQLite file, or a PostgreSQL database shared by several machines),
// the schema, and the reads and writes the components need. Every statement
// binds its values; every write runs in one transaction, which on SQLite takes
// the write lock at once. Failures are StoreErrors whose reason carries the
// database's own message.
//
// One store object is one administrator's session: the partitions it loaded
// are remembered with their revision, and a session's change of a partition
// that someone else saved since it was loaded is refused. Every change a
// session makes is recorded in the change history in the same transaction.
#pragma once

#include "rowset/RecordSet.h"
#include "server/LoadedRevisions.h"
#include "server/StoreRows.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

class QSqlError;
class QSqlQuery;

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
    // The partition's revision: 1 when stored, one more with each change; 0
    // when there is no such partition.
    qint32 revision(qint16 configId, qint16 partitionId) const;
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

    // Runs work in one write transaction (nested calls join the outer one);
    // an exception rolls everything back and goes on to the caller.
    void inTransaction(const std::function<void()> &work);

    bool isPostgres() const { return m_postgres; }

private:
    // What one change of a partition did: the values it changed, each with
    // its value before (null: none) and after.
    struct Change
    {
        struct Value
        {
            QString item;
            QVariant before;
            QVariant after;
        };
        QList<Value> values;

        void compare(const QString &item, const QVariant &before, const QVariant &after)
        {
            if (before.isNull() != after.isNull() || before.toString() != after.toString())
                values.append({item, before, after});
        }
    };
    using ChangeWork = std::function<void(qint32 revision, Change &change)>;

    void prepareSchema(Seeding seeding);
    void requireCurrentSchema() const; // a StoreError unless the schema is current
    void tuneSqlite();
    void execute(const QString &sql);
    void requireOpen() const; // a closed connection is a StoreError
    QSqlQuery prepare(const QString &sql) const;
    void run(QSqlQuery &query, const QVariantList &values) const;
    RecordSet answer(const QString &sql, const QVariantList &values, const QList<FieldInfo> &layout) const;
    bool exists(const QString &sql, const QVariantList &values) const;
    void requireConfiguration(qint16 configId) const;
    void requireNodeType(qint16 nodeTypeId) const;
    QVariantList storedValues(const QString &sql, const QVariantList &key) const;
    bool insertedPartition(const PartitionRow &row);
    void writePartitionValues(qint32 revision, const PartitionRow &row, Change &change);
    bool changeNodeMax(const NodeMaxRow &row, bool keepStored, Writer writer);
    // Updates the row when present, else inserts it.
    void writeNodeMax(bool present, const NodeMaxRow &row);
    // One change of a partition in one transaction: locks its row, refuses a
    // checked change when someone else changed it since this session loaded
    // it, runs the work, then counts the revision up and records the history
    // when anything changed.
    void changePartition(qint16 configId, qint16 partitionId, bool checked, Writer writer, const ChangeWork &work);
    qint32 lockedRevision(qint16 configId, qint16 partitionId);
    void recordHistory(qint16 configId, qint16 partitionId, const Change &change);
    [[noreturn]] void fail(const QString &what, const QSqlError &error) const;

    QString m_connectionName;
    bool m_postgres = false;
    int m_transactionDepth = 0;
    LoadedRevisions m_loaded;
    std::optional<qint16> m_selected; // the session's selection: never written to the database
};

} // namespace server
