// The reference store: opening a store and checking its schema, the
// connection and its prepared statements, and the reads (on SQLite through
// its own library where it may: StoreSqliteDirect.cpp).
#include "server/ReferenceStore.h"

#include "server/AnswerLayouts.h"
#include "server/AnswerValues.h"
#include "server/SampleConfiguration.h"
#include "server/ServerErrors.h"
#include "server/StoreLocation.h"
#include "server/StoreStatements.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

namespace server {

namespace {

// The advisory lock under which a PostgreSQL store's schema is made.
constexpr qint64 kSchemaLock = 7302001;

QString nextConnectionName()
{
    static QAtomicInteger<quint32> counter;
    // The counter's address tells apart the copies of this code that one
    // process may hold (a host and the server components' library), which
    // share Qt Sql's one list of connection names.
    return QStringLiteral("reference_store_%1_%2").arg(quintptr(&counter), 0, 16).arg(counter.fetchAndAddRelaxed(1) + 1);
}

} // namespace

ReferenceStore::ReferenceStore(const ConnectionSettings &settings, Seeding seeding)
    : m_connectionName(nextConnectionName()), m_postgres(settings.driver == QLatin1String("QPSQL"))
{
    openDatabase(settings, m_connectionName);
    try {
        if (m_postgres)
            setWriteWait(m_writeWaitMs);
        else
            tuneSqlite();
        prepareSchema(seeding);
    } catch (...) {
        close();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw;
    }
}

// Looks before it writes: a current store is opened without a lock, so that
// opening never waits for a writer, and a database of something else is left
// untouched. Only a schema to create or bring up to date is made under the
// write lock (and, on PostgreSQL, a lock of its own), so that sessions
// opening a new store at once make it once.
void ReferenceStore::prepareSchema(Seeding seeding)
{
    const schema::Contents contents = schema::contentsOf(schema::tables(database(), m_postgres));
    if (contents == schema::Contents::Foreign)
        throw StoreError(kDatabaseFailure,
                         QStringLiteral("the database \"%1\" holds tables of another application; it was left as it is"
                                        " (name an empty database or a store of Partition Settings)")
                             .arg(database().databaseName()));
    if (contents == schema::Contents::Current || seeding == Seeding::Existing)
        return requireCurrentSchema(contents);
    if (!m_postgres && contents == schema::Contents::Empty)
        execute(QStringLiteral("PRAGMA journal_mode=WAL"));
    inTransaction([&] { createSchema(seeding); });
}

// In the write transaction: looks again, as another session may have made
// the schema in the meantime.
void ReferenceStore::createSchema(Seeding seeding)
{
    beginTransaction();
    if (m_postgres)
        execute(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kSchemaLock));
    switch (schema::contentsOf(schema::tables(database(), m_postgres))) {
    case schema::Contents::Empty:
        for (const QString &statement : schema::createStatements(m_postgres))
            execute(statement);
        if (seeding == Seeding::SampleConfiguration)
            seedSampleConfiguration(*this);
        break;
    case schema::Contents::WithoutHistory:
        for (const QString &statement : schema::upgradeStatements(m_postgres))
            execute(statement);
        break;
    case schema::Contents::Foreign:
        throw StoreError(kDatabaseFailure,
                         QStringLiteral("the database \"%1\" changed while it was opened").arg(database().databaseName()));
    case schema::Contents::Current: break;
    }
}

void ReferenceStore::requireCurrentSchema(schema::Contents contents) const
{
    switch (contents) {
    case schema::Contents::Current: return;
    case schema::Contents::WithoutHistory:
        throw StoreError(kDatabaseFailure, QStringLiteral("the store \"%1\" was made before changes were recorded;"
                                                          " open it once to bring it up to date")
                                               .arg(database().databaseName()));
    default:
        throw StoreError(kDatabaseFailure,
                         QStringLiteral("the database \"%1\" holds no store").arg(database().databaseName()));
    }
}

// A new store keeps a write-ahead log (prepareSchema), so that readers and
// the one writer work side by side and a commit waits for the disk only at
// checkpoints. A store that someone switched to a rollback journal keeps it:
// switching back would need the lock of every reader.
void ReferenceStore::tuneSqlite()
{
    execute(QStringLiteral("PRAGMA synchronous=NORMAL"));
    setSqliteWait(kReadWaitMs);
    m_sqliteDirect = mayReadDirectly();
}

// A statement without values, run as it is (PostgreSQL prepares no schema statements).
void ReferenceStore::execute(const QString &sql)
{
    QSqlQuery query(database());
    if (!query.exec(sql))
        fail(QStringLiteral("could not carry out the statement"), query.lastError());
}

std::shared_ptr<ReferenceStore> ReferenceStore::openSqlite(const QString &filePath, Seeding seeding)
{
    return open(filePath, seeding);
}

std::shared_ptr<ReferenceStore> ReferenceStore::open(const QString &location, Seeding seeding)
{
    if (!isConnectionUri(location)) {
        if (seeding == Seeding::Existing && !QFileInfo(location).isFile())
            throw StoreError(kDatabaseFailure, QStringLiteral("there is no store \"%1\"").arg(location));
        QDir().mkpath(QFileInfo(location).absolutePath());
    }
    return std::make_shared<ReferenceStore>(connectionFor(location), seeding);
}

ReferenceStore::~ReferenceStore()
{
    close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase ReferenceStore::database() const { return QSqlDatabase::database(m_connectionName, false); }

// An open unit dies with the connection: the database rolls it back.
void ReferenceStore::close()
{
    finalizeDirectStatements();
    m_statements.clear();
    m_unit.reset();
    QSqlDatabase db = database();
    if (db.isOpen())
        db.close();
}

bool ReferenceStore::mayWrite() const
{
    if (!m_postgres) {
        const QFileInfo file(database().databaseName());
        return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
    }
    QSqlQuery query(database());
    return query.exec(QStringLiteral("SELECT has_table_privilege('partitions', 'UPDATE')"
                                     " AND current_setting('transaction_read_only') = 'off'"))
           && query.next() && query.value(0).toBool();
}

void ReferenceStore::requireOpen() const
{
    const QSqlDatabase db = database();
    if (!db.isOpen())
        throw StoreError(kDatabaseFailure,
                         QStringLiteral("the connection to the database \"%1\" is closed").arg(db.databaseName()));
}

QSqlQuery &ReferenceStore::prepare(const QString &sql) const
{
    requireOpen();
    const auto found = m_statements.find(sql);
    if (found != m_statements.end())
        return found->second;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(QStringLiteral("refused the statement"), query.lastError());
    return m_statements.emplace(sql, std::move(query)).first->second;
}

void ReferenceStore::run(QSqlQuery &query, const QVariantList &values) const
{
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), values.at(i));
    if (!query.exec()) {
        const QSqlError error = query.lastError();
        query.finish();
        fail(QStringLiteral("could not carry out the statement"), error);
    }
}

qsizetype ReferenceStore::write(const QString &sql, const QVariantList &values)
{
    if (m_sqliteDirect) {
        if (const std::optional<qsizetype> changed = directWrite(sql, values))
            return *changed;
    }
    QSqlQuery &query = prepare(sql);
    run(query, values);
    const qsizetype changed = query.numRowsAffected();
    query.finish();
    return changed;
}

void ReferenceStore::fail(const QString &what, const QSqlError &error) const
{
    QString message = (error.databaseText().isEmpty() ? error.driverText() : error.databaseText()).simplified();
    if (message.isEmpty())
        message = QStringLiteral("no reason given");
    throw StoreError(kDatabaseFailure,
                     QStringLiteral("the database \"%1\" %2: %3").arg(database().databaseName(), what, message));
}

RecordSet ReferenceStore::answer(const QString &sql, const QVariantList &values, const QList<FieldInfo> &layout) const
{
    if (m_sqliteDirect) {
        if (std::optional<RecordSet> records = directAnswer(sql, values, layout))
            return std::move(*records);
    }
    QSqlQuery &query = prepare(sql);
    run(query, values);
    RecordSet records(layout);
    while (query.next()) {
        RecordSet::Row row;
        row.reserve(layout.size());
        for (qsizetype i = 0; i < layout.size(); ++i) {
            const std::optional<Variant> value = fieldValue(query.value(int(i)), layout.at(i));
            if (!value) {
                const StoreError error = wrongKind(layout, i, records.rows().size(),
                                                   [&query](int column) { return query.value(column).toString(); });
                query.finish();
                throw error;
            }
            row.append(*value);
        }
        records.addRow(std::move(row));
    }
    query.finish();
    return records;
}

bool ReferenceStore::exists(const QString &sql, const QVariantList &values) const
{
    QSqlQuery &query = prepare(sql);
    run(query, values);
    const bool found = query.next();
    query.finish();
    return found;
}

RecordSet ReferenceStore::partitionSettings(qint16 configId, qint16 partitionId) const
{
    return answer(storeStatements().partitionSettings, {int(configId), int(partitionId)}, layouts::partitionSettings());
}

RecordSet ReferenceStore::partitions(qint16 configId) const
{
    return answer(storeStatements().partitionList, {int(configId)}, layouts::partitionList());
}

RecordSet ReferenceStore::configurations() const
{
    return answer(storeStatements().configurations, {}, layouts::configuration());
}

RecordSet ReferenceStore::nodeTypes() const { return answer(storeStatements().nodeTypes, {}, layouts::nodeTypes()); }

RecordSet ReferenceStore::nodeMaxima(qint16 configId, qint16 partitionId) const
{
    return answer(storeStatements().nodeMaxima, {int(configId), int(partitionId)}, layouts::nodeMaxima());
}

std::optional<qint16> ReferenceStore::selectedPartition() const { return m_selected; }

void ReferenceStore::requireConfiguration(qint16 configId) const
{
    if (!exists(storeStatements().configurationExists, {int(configId)}))
        throw StoreError(kRecordMissing, QStringLiteral("configuration %1 does not exist").arg(configId));
}

qint32 ReferenceStore::revision(qint16 configId, qint16 partitionId) const
{
    QSqlQuery &query = prepare(storeStatements().revision);
    run(query, {int(configId), int(partitionId)});
    const qint32 found = query.next() ? query.value(0).toInt() : 0;
    query.finish();
    return found;
}

RecordSet ReferenceStore::loadPartitionSettings(qint16 configId, qint16 partitionId)
{
    const qint32 loaded = revision(configId, partitionId);
    RecordSet rows = partitionSettings(configId, partitionId);
    session().loaded.loadedSettings(configId, partitionId, loaded);
    return rows;
}

RecordSet ReferenceStore::loadAllPartitionSettings(qint16 configId)
{
    const std::map<qint16, qint32> loaded = revisions(configId);
    RecordSet rows = answer(storeStatements().allPartitionSettings, {int(configId)}, layouts::partitionSettings());
    session().loaded.loadedAllSettings(configId, loaded);
    return rows;
}

RecordSet ReferenceStore::loadAllNodeMaxima(qint16 configId)
{
    const std::map<qint16, qint32> loaded = revisions(configId);
    RecordSet rows = answer(storeStatements().allNodeMaxima, {int(configId)}, layouts::wholeNodeMaxima());
    session().loaded.loadedAllMaxima(configId, loaded);
    return rows;
}

std::map<qint16, qint32> ReferenceStore::revisions(qint16 configId) const
{
    QSqlQuery &query = prepare(storeStatements().revisions);
    run(query, {int(configId)});
    std::map<qint16, qint32> found;
    while (query.next())
        found.emplace(qint16(query.value(0).toInt()), query.value(1).toInt());
    query.finish();
    return found;
}

RecordSet ReferenceStore::loadNodeMaxima(qint16 configId, qint16 partitionId)
{
    const qint32 loaded = revision(configId, partitionId);
    RecordSet rows = nodeMaxima(configId, partitionId);
    session().loaded.loadedMaxima(configId, partitionId, loaded);
    return rows;
}

void ReferenceStore::selectPartition(qint16 partitionId)
{
    requireOpen();
    m_selected = partitionId;
}

} // namespace server
