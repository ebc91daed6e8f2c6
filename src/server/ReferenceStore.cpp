// The reference store: connection, transactions, reads and writes.
#include "server/ReferenceStore.h"

#include "components/AnswerColumns.h"
#include "server/AnswerLayouts.h"
#include "server/SampleConfiguration.h"
#include "server/ServerErrors.h"
#include "server/StoreLocation.h"
#include "server/StoreSchema.h"
#include "server/StoreStatements.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace server {

namespace {

// The advisory lock under which a PostgreSQL store's schema is made.
constexpr qint64 kSchemaLock = 7302001;

QString nextConnectionName()
{
    static QAtomicInteger<quint32> counter;
    return QStringLiteral("reference_store_%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

// A text for a NOT NULL column: Qt binds a null QString as SQL NULL, so the
// empty text is bound as a real empty string.
QVariant textValue(const QString &text) { return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text); }

QVariant optionalValue(const std::optional<qint16> &value)
{
    return value ? QVariant(int(*value)) : QVariant(QMetaType::fromType<int>());
}

// The value of a stored field as its column is declared; nothing when the
// store holds a value of another kind (a text or a fraction in an integer
// column, or a number beyond the column's type).
std::optional<Variant> fieldValue(const QVariant &value, const FieldInfo &field)
{
    if (value.isNull())
        return Variant();
    if (field.dataType == QLatin1String("string"))
        return Variant::text(value.toString());
    bool whole = false;
    const qlonglong number = value.toLongLong(&whole);
    const qlonglong limit = field.dataType == QLatin1String("i2") ? 32767 : 2147483647;
    if (!whole || number < -limit - 1 || number > limit
        || (value.typeId() == QMetaType::Double && value.toDouble() != double(number)))
        return std::nullopt;
    return Variant::integer(number);
}

// A stored value that its answer's column cannot hold, named by the column
// and by the partition of its row (or the row's number when the answer has
// no partitions).
StoreError wrongKind(const QSqlQuery &query, const QList<FieldInfo> &layout, qsizetype column, qsizetype row)
{
    const auto position = [&layout](QLatin1String name) {
        for (qsizetype i = 0; i < layout.size(); ++i) {
            if (layout.at(i).name == name)
                return int(i);
        }
        return -1;
    };
    const int config = position(columns::settings::Config_ID.name);
    const int partition = position(columns::settings::PartitionID.name);
    const QString where = partition >= 0 && config >= 0
                              ? QStringLiteral("partition %1 of configuration %2")
                                    .arg(query.value(partition).toString(), query.value(config).toString())
                              : QStringLiteral("row %1").arg(row + 1);
    const FieldInfo &field = layout.at(column);
    return StoreError(rt::TypeMismatch,
                      QStringLiteral("the stored value \"%1\" of column %2 in %3 is not of its type %4")
                          .arg(query.value(int(column)).toString(), field.name, where, field.dataType));
}

// The values of a row in the order of its answer's columns.
QVariantList partitionValues(const PartitionRow &row)
{
    return {int(row.configId),
            int(row.partitionId),
            textValue(row.name),
            textValue(row.accessCode),
            textValue(row.remLanguage),
            textValue(row.selectLimit),
            row.timeLimit,
            textValue(row.command),
            textValue(row.noMsgRecorded),
            row.totalRecTime,
            row.totalTimeOfMessagesRecorded,
            row.timeLeft,
            optionalValue(row.msgNo)};
}

QVariantList nodeMaxValues(const NodeMaxRow &row)
{
    return {int(row.configId), int(row.partitionId), int(row.nodeTypeId), int(row.maxNumber)};
}

// An update binds the values after the key first, then the key.
QVariantList keyLast(const QVariantList &values, int keyColumns)
{
    return values.mid(keyColumns) + values.first(keyColumns);
}

} // namespace

ReferenceStore::ReferenceStore(const ConnectionSettings &settings, Seeding seeding)
    : m_connectionName(nextConnectionName()), m_postgres(settings.driver == QLatin1String("QPSQL"))
{
    openDatabase(settings, m_connectionName);
    try {
        prepareSchema(seeding);
    } catch (...) {
        close();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw;
    }
}

// Looks before it writes: a database of something else is left untouched.
// The schema is then made under the write lock (and, on PostgreSQL, a lock
// of its own), so that sessions opening a new store at once make it once.
void ReferenceStore::prepareSchema(Seeding seeding)
{
    if (schema::contentsOf(schema::tables(database(), m_postgres)) == schema::Contents::Foreign)
        throw StoreError(kDatabaseFailure,
                         QStringLiteral("the database \"%1\" holds tables of another application; it was left as it is"
                                        " (name an empty database or a store of Partition Settings)")
                             .arg(database().databaseName()));
    if (seeding == Seeding::Existing)
        return requireCurrentSchema();
    if (!m_postgres)
        tuneSqlite();
    inTransaction([&] {
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
            throw StoreError(
                kDatabaseFailure,
                QStringLiteral("the database \"%1\" changed while it was opened").arg(database().databaseName()));
        case schema::Contents::Current: break;
        }
    });
}

void ReferenceStore::requireCurrentSchema() const
{
    switch (schema::contentsOf(schema::tables(database(), m_postgres))) {
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

// A write-ahead log lets readers and the one writer work side by side, and a
// commit then waits for the disk only at checkpoints: a partition change in
// the dialog (one small write) stays well under a millisecond.
void ReferenceStore::tuneSqlite()
{
    for (const char *pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL"})
        execute(QString::fromLatin1(pragma));
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

void ReferenceStore::close()
{
    QSqlDatabase db = database();
    if (db.isOpen())
        db.close();
}

// SQLite: BEGIN IMMEDIATE takes the write lock before the first read, waiting
// (up to the busy timeout) for another writer to finish. A deferred
// transaction that reads first could not take it later and would fail at once.
void ReferenceStore::inTransaction(const std::function<void()> &work)
{
    if (m_transactionDepth == 0) {
        QSqlQuery begin(database());
        if (!begin.exec(QLatin1String(m_postgres ? "BEGIN" : "BEGIN IMMEDIATE")))
            fail(QStringLiteral("could not start a transaction"), begin.lastError());
    }
    ++m_transactionDepth;
    try {
        work();
    } catch (...) {
        if (--m_transactionDepth == 0)
            QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    if (--m_transactionDepth == 0) {
        QSqlQuery commit(database());
        if (!commit.exec(QStringLiteral("COMMIT"))) {
            const QSqlError error = commit.lastError();
            QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
            fail(QStringLiteral("could not commit the transaction"), error);
        }
    }
}

void ReferenceStore::requireOpen() const
{
    const QSqlDatabase db = database();
    if (!db.isOpen())
        throw StoreError(kDatabaseFailure,
                         QStringLiteral("the connection to the database \"%1\" is closed").arg(db.databaseName()));
}

QSqlQuery ReferenceStore::prepare(const QString &sql) const
{
    requireOpen();
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(QStringLiteral("refused the statement"), query.lastError());
    return query;
}

void ReferenceStore::run(QSqlQuery &query, const QVariantList &values) const
{
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), values.at(i));
    if (!query.exec())
        fail(QStringLiteral("could not carry out the statement"), query.lastError());
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
    QSqlQuery query = prepare(sql);
    run(query, values);
    RecordSet records(layout);
    while (query.next()) {
        RecordSet::Row row;
        row.reserve(layout.size());
        for (qsizetype i = 0; i < layout.size(); ++i) {
            const std::optional<Variant> value = fieldValue(query.value(int(i)), layout.at(i));
            if (!value)
                throw wrongKind(query, layout, i, records.rows().size());
            row.append(*value);
        }
        records.addRow(std::move(row));
    }
    return records;
}

bool ReferenceStore::exists(const QString &sql, const QVariantList &values) const
{
    QSqlQuery query = prepare(sql);
    run(query, values);
    return query.next();
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

void ReferenceStore::requireNodeType(qint16 nodeTypeId) const
{
    if (!exists(storeStatements().nodeTypeExists, {int(nodeTypeId)}))
        throw StoreError(kRecordMissing, QStringLiteral("node type %1 is not in the node type list").arg(nodeTypeId));
}

qint32 ReferenceStore::revision(qint16 configId, qint16 partitionId) const
{
    QSqlQuery query = prepare(storeStatements().revision);
    run(query, {int(configId), int(partitionId)});
    return query.next() ? query.value(0).toInt() : 0;
}

// Reads the revision and, on PostgreSQL, locks the partition's row until the
// transaction ends (SQLite's write lock already covers the whole store).
qint32 ReferenceStore::lockedRevision(qint16 configId, qint16 partitionId)
{
    QSqlQuery query = prepare(storeStatements().revision + (m_postgres ? QStringLiteral(" FOR UPDATE") : QString()));
    run(query, {int(configId), int(partitionId)});
    return query.next() ? query.value(0).toInt() : 0;
}

RecordSet ReferenceStore::loadPartitionSettings(qint16 configId, qint16 partitionId)
{
    const qint32 loaded = revision(configId, partitionId);
    RecordSet rows = partitionSettings(configId, partitionId);
    m_loaded.loadedSettings(configId, partitionId, loaded);
    return rows;
}

RecordSet ReferenceStore::loadNodeMaxima(qint16 configId, qint16 partitionId)
{
    const qint32 loaded = revision(configId, partitionId);
    RecordSet rows = nodeMaxima(configId, partitionId);
    m_loaded.loadedMaxima(configId, partitionId, loaded);
    return rows;
}

void ReferenceStore::changePartition(qint16 configId, qint16 partitionId, bool checked, Writer writer,
                                     const ChangeWork &work)
{
    qint32 before = 0;
    qint32 after = 0;
    inTransaction([&] {
        before = lockedRevision(configId, partitionId);
        const std::optional<qint32> seen = m_loaded.seen(configId, partitionId);
        if (checked && writer == Writer::Session && seen && *seen != before)
            throw StoreError(kChangedByOthers, changedByOthersText(partitionId));
        Change change;
        work(before, change);
        after = before;
        if (change.values.isEmpty())
            return;
        after = before + 1; // a partition stored now starts at revision 1
        if (before > 0) {
            QSqlQuery query = prepare(storeStatements().setRevision);
            run(query, {after, int(configId), int(partitionId)});
        }
        if (writer == Writer::Session)
            recordHistory(configId, partitionId, change);
    });
    m_loaded.changed(configId, partitionId, before, after);
}

// Stores a new partition; false when another session stored it at this moment.
bool ReferenceStore::insertedPartition(const PartitionRow &row)
{
    QSqlQuery query = prepare(storeStatements().insertPartition);
    run(query, partitionValues(row));
    return query.numRowsAffected() > 0;
}

// The values after the key of the stored row that the statement answers; none
// when there is no row.
QVariantList ReferenceStore::storedValues(const QString &sql, const QVariantList &key) const
{
    QSqlQuery query = prepare(sql);
    run(query, key);
    QVariantList values;
    if (query.next())
        for (int i = int(key.size()); i < query.record().count(); ++i)
            values << query.value(i);
    return values;
}

void ReferenceStore::writePartitionValues(qint32 revision, const PartitionRow &row, Change &change)
{
    requireConfiguration(row.configId);
    const StoreStatements &sql = storeStatements();
    const QVariantList key = {int(row.configId), int(row.partitionId)};
    const QVariantList before = revision > 0 ? storedValues(sql.partitionSettings, key) : QVariantList();
    const QVariantList values = partitionValues(row);
    const QList<FieldInfo> layout = layouts::partitionSettings();
    for (int i = sql.partitionKeyColumns; i < values.size(); ++i)
        change.compare(layout.at(i).name, before.value(i - sql.partitionKeyColumns), values.at(i));
    if (change.values.isEmpty())
        return;
    if (revision > 0) {
        QSqlQuery query = prepare(sql.updatePartition);
        run(query, keyLast(values, sql.partitionKeyColumns));
    } else if (!insertedPartition(row)) {
        throw StoreError(kChangedByOthers, changedByOthersText(row.partitionId));
    }
}

bool ReferenceStore::insertPartition(const PartitionRow &row, Writer writer)
{
    bool stored = false;
    changePartition(row.configId, row.partitionId, false, writer, [&](qint32 revision, Change &change) {
        requireConfiguration(row.configId);
        if (revision > 0 || !insertedPartition(row))
            return; // kept as stored
        stored = true;
        const QVariantList values = partitionValues(row);
        const QList<FieldInfo> layout = layouts::partitionSettings();
        for (int i = storeStatements().partitionKeyColumns; i < values.size(); ++i)
            change.compare(layout.at(i).name, QVariant(), values.at(i));
    });
    return stored;
}

void ReferenceStore::savePartition(const PartitionRow &row, Writer writer)
{
    changePartition(row.configId, row.partitionId, true, writer,
                    [&](qint32 revision, Change &change) { writePartitionValues(revision, row, change); });
}

void ReferenceStore::writeNodeMax(bool present, const NodeMaxRow &row)
{
    const StoreStatements &sql = storeStatements();
    QSqlQuery query = prepare(present ? sql.updateNodeMax : sql.insertNodeMax);
    const QVariantList values = nodeMaxValues(row);
    run(query, present ? keyLast(values, sql.nodeMaxKeyColumns) : values);
}

// Writes the maximum unless that value is stored already; an insert keeps any
// stored value. True when it wrote.
bool ReferenceStore::changeNodeMax(const NodeMaxRow &row, bool keepStored, Writer writer)
{
    bool written = false;
    changePartition(row.configId, row.partitionId, !keepStored, writer, [&](qint32 revision, Change &change) {
        if (revision == 0)
            throw StoreError(kRecordMissing, partitionText(row.configId, row.partitionId)
                                                 + QStringLiteral(" does not exist; store the partition first"));
        requireNodeType(row.nodeTypeId);
        const QVariantList before = storedValues(storeStatements().nodeMax, nodeMaxValues(row).first(3));
        const bool present = !before.isEmpty();
        if (present && (keepStored || before.constFirst().toInt() == row.maxNumber))
            return;
        writeNodeMax(present, row);
        written = true;
        change.compare(QStringLiteral("Node type %1 maximum").arg(row.nodeTypeId), before.value(0), int(row.maxNumber));
    });
    return written;
}

bool ReferenceStore::insertNodeMax(const NodeMaxRow &row, Writer writer) { return changeNodeMax(row, true, writer); }

void ReferenceStore::saveNodeMax(const NodeMaxRow &row, Writer writer) { changeNodeMax(row, false, writer); }

void ReferenceStore::selectPartition(qint16 partitionId)
{
    requireOpen();
    m_selected = partitionId;
}

void ReferenceStore::addConfiguration(const ConfigurationRow &row)
{
    inTransaction([&] {
        QSqlQuery query = prepare(storeStatements().insertConfiguration);
        run(query, {textValue(row.name), int(row.configId), textValue(row.siteName), row.siteId,
                    textValue(row.systemName), row.systemId});
    });
}

void ReferenceStore::setConfigurationInUse(qint16 configId)
{
    inTransaction([&] {
        requireConfiguration(configId);
        QSqlQuery query = prepare(storeStatements().markConfigurationInUse);
        run(query, {int(configId)});
    });
}

void ReferenceStore::addNodeTypeRow(const NodeTypeRow &row)
{
    inTransaction([&] {
        QSqlQuery query = prepare(storeStatements().insertNodeType);
        run(query, {int(row.id), textValue(row.english), textValue(row.french)});
    });
}

} // namespace server
