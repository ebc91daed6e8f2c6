// The reference store: connection, transactions, reads and writes.
#include "server/ReferenceStore.h"

#include "components/AnswerColumns.h"
#include "server/AnswerLayouts.h"
#include "server/SampleConfiguration.h"
#include "server/ServerErrors.h"
#include "server/StoreSchema.h"
#include "server/StoreStatements.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace server {

namespace {

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
    : m_connectionName(nextConnectionName())
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(settings.driver, m_connectionName);
        db.setDatabaseName(settings.databaseName);
        db.setHostName(settings.hostName);
        db.setPort(settings.port);
        db.setUserName(settings.userName);
        db.setPassword(settings.password);
        db.setConnectOptions(settings.options);
        if (!db.open()) {
            const QString message = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            throw StoreError(kDatabaseFailure, QStringLiteral("cannot open the database \"%1\" (%2): %3")
                                                   .arg(settings.databaseName, settings.driver, message));
        }
    }
    try {
        if (settings.driver == QLatin1String("QSQLITE"))
            tuneSqlite();
        if (!schema::isPresent(database()))
            inTransaction([&] {
                for (const QString &statement : schema::createStatements()) {
                    QSqlQuery query = prepare(statement);
                    run(query, {});
                }
                if (seeding == Seeding::SampleConfiguration)
                    seedSampleConfiguration(*this);
            });
    } catch (...) {
        close();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw;
    }
}

// A write-ahead log lets readers and the one writer work side by side, and a
// commit then waits for the disk only at checkpoints: a partition change in
// the dialog (one small write) stays well under a millisecond.
void ReferenceStore::tuneSqlite()
{
    for (const char *pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL"}) {
        QSqlQuery query(database());
        if (!query.exec(QString::fromLatin1(pragma)))
            fail(QStringLiteral("could not set up the database: ") + QString::fromLatin1(pragma), query.lastError());
    }
}

std::shared_ptr<ReferenceStore> ReferenceStore::openSqlite(const QString &filePath, Seeding seeding)
{
    QDir().mkpath(QFileInfo(filePath).absolutePath());
    ConnectionSettings settings;
    settings.databaseName = filePath;
    settings.options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");
    return std::make_shared<ReferenceStore>(settings, seeding);
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

void ReferenceStore::inTransaction(const std::function<void()> &work)
{
    QSqlDatabase db = database();
    if (m_transactionDepth == 0 && !db.transaction())
        fail(QStringLiteral("could not start a transaction"), db.lastError());
    ++m_transactionDepth;
    try {
        work();
    } catch (...) {
        if (--m_transactionDepth == 0)
            db.rollback();
        throw;
    }
    if (--m_transactionDepth == 0 && !db.commit()) {
        const QSqlError error = db.lastError();
        db.rollback();
        fail(QStringLiteral("could not commit the transaction"), error);
    }
}

QSqlQuery ReferenceStore::prepare(const QString &sql) const
{
    QSqlDatabase db = database();
    if (!db.isOpen())
        throw StoreError(kDatabaseFailure,
                         QStringLiteral("the connection to the database \"%1\" is closed").arg(db.databaseName()));
    QSqlQuery query(db);
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
    QString message = error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
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

std::optional<qint16> ReferenceStore::selectedPartition() const
{
    QSqlQuery query = prepare(storeStatements().selectedPartition);
    run(query, {});
    if (!query.next())
        return std::nullopt;
    return qint16(query.value(0).toInt());
}

void ReferenceStore::requireConfiguration(qint16 configId) const
{
    if (!exists(storeStatements().configurationExists, {int(configId)}))
        throw StoreError(kRecordMissing, QStringLiteral("configuration %1 does not exist").arg(configId));
}

void ReferenceStore::requirePartition(qint16 configId, qint16 partitionId) const
{
    if (!partitionExists(configId, partitionId))
        throw StoreError(kRecordMissing, partitionText(configId, partitionId)
                                             + QStringLiteral(" does not exist; store the partition first"));
}

void ReferenceStore::requireNodeType(qint16 nodeTypeId) const
{
    if (!exists(storeStatements().nodeTypeExists, {int(nodeTypeId)}))
        throw StoreError(kRecordMissing, QStringLiteral("node type %1 is not in the node type list").arg(nodeTypeId));
}

void ReferenceStore::writePartition(bool present, const PartitionRow &row)
{
    const StoreStatements &sql = storeStatements();
    QSqlQuery query = prepare(present ? sql.updatePartition : sql.insertPartition);
    const QVariantList values = partitionValues(row);
    run(query, present ? keyLast(values, sql.partitionKeyColumns) : values);
}

bool ReferenceStore::partitionExists(qint16 configId, qint16 partitionId) const
{
    return exists(storeStatements().partitionExists, {int(configId), int(partitionId)});
}

void ReferenceStore::insertPartition(const PartitionRow &row)
{
    inTransaction([&] {
        requireConfiguration(row.configId);
        if (partitionExists(row.configId, row.partitionId))
            throw StoreError(kRecordExists, partitionText(row.configId, row.partitionId)
                                                + QStringLiteral(" already exists; its settings were kept"
                                                                 " (Update_Partition_Record changes them)"));
        writePartition(false, row);
    });
}

void ReferenceStore::savePartition(const PartitionRow &row)
{
    inTransaction([&] {
        requireConfiguration(row.configId);
        writePartition(partitionExists(row.configId, row.partitionId), row);
    });
}

void ReferenceStore::writeNodeMax(bool present, const NodeMaxRow &row)
{
    const StoreStatements &sql = storeStatements();
    QSqlQuery query = prepare(present ? sql.updateNodeMax : sql.insertNodeMax);
    const QVariantList values = nodeMaxValues(row);
    run(query, present ? keyLast(values, sql.nodeMaxKeyColumns) : values);
}

bool ReferenceStore::nodeMaxExists(const NodeMaxRow &row) const
{
    return exists(storeStatements().nodeMaxExists, {int(row.configId), int(row.partitionId), int(row.nodeTypeId)});
}

bool ReferenceStore::insertNodeMax(const NodeMaxRow &row)
{
    bool stored = false;
    inTransaction([&] {
        requirePartition(row.configId, row.partitionId);
        requireNodeType(row.nodeTypeId);
        if (nodeMaxExists(row))
            return;
        writeNodeMax(false, row);
        stored = true;
    });
    return stored;
}

void ReferenceStore::saveNodeMax(const NodeMaxRow &row)
{
    inTransaction([&] {
        requirePartition(row.configId, row.partitionId);
        requireNodeType(row.nodeTypeId);
        writeNodeMax(nodeMaxExists(row), row);
    });
}

void ReferenceStore::selectPartition(qint16 partitionId)
{
    inTransaction([&] {
        QSqlQuery clear = prepare(storeStatements().clearSelection);
        run(clear, {});
        QSqlQuery insert = prepare(storeStatements().insertSelection);
        run(insert, {int(partitionId)});
    });
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
