// The reference store: connection, transactions, reads and writes.
#include "server/ReferenceStore.h"

#include "server/AnswerLayouts.h"
#include "server/SampleConfiguration.h"
#include "server/ServerErrors.h"
#include "server/StoreSchema.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSet>
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
QVariant textValue(const QString &text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

QVariant optionalValue(const std::optional<qint16> &value)
{
    return value ? QVariant(int(*value)) : QVariant(QMetaType::fromType<int>());
}

Variant fieldValue(const QVariant &value, const FieldInfo &field)
{
    if (value.isNull())
        return Variant();
    if (field.dataType == QLatin1String("string"))
        return Variant::text(value.toString());
    return Variant::integer(value.toLongLong());
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
    throw StoreError(kDatabaseFailure, QStringLiteral("the database \"%1\" %2: %3")
                                           .arg(database().databaseName(), what, message));
}

RecordSet ReferenceStore::answer(const QString &sql, const QVariantList &values,
                                 const QList<FieldInfo> &layout) const
{
    QSqlQuery query = prepare(sql);
    run(query, values);
    RecordSet records(layout);
    while (query.next()) {
        RecordSet::Row row;
        row.reserve(layout.size());
        for (qsizetype i = 0; i < layout.size(); ++i)
            row.append(fieldValue(query.value(int(i)), layout.at(i)));
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
    return answer(QStringLiteral("SELECT Config_ID, PartitionID, Name, PartitionAccessCode, REMLanguage,"
                                 " SelectLimit, TimeLimit, Command, NoMSGRecorded, TotalRecTime,"
                                 " TotalTimeOfMessagesRecorded, TimeLeft, MSGNo FROM Partitions"
                                 " WHERE Config_ID = ? AND PartitionID = ?"),
                  {int(configId), int(partitionId)}, layouts::partitionSettings());
}

RecordSet ReferenceStore::partitions(qint16 configId) const
{
    return answer(QStringLiteral("SELECT Config_ID, PartitionID, Name FROM Partitions"
                                 " WHERE Config_ID = ? ORDER BY PartitionID"),
                  {int(configId)}, layouts::partitionList());
}

RecordSet ReferenceStore::configurations() const
{
    return answer(QStringLiteral("SELECT Config_Name, Config_ID, Site_Name, Site_ID, System_Name, System_ID"
                                 " FROM Configurations"
                                 " ORDER BY CASE WHEN In_Use = 1 THEN 0 ELSE 1 END, Config_ID"),
                  {}, layouts::configuration());
}

RecordSet ReferenceStore::nodeTypes() const
{
    return answer(QStringLiteral("SELECT ID, Name, Name_French FROM NodeTypes ORDER BY ID"), {},
                  layouts::nodeTypes());
}

RecordSet ReferenceStore::nodeMaxima(qint16 configId, qint16 partitionId) const
{
    return answer(QStringLiteral("SELECT Config_ID, PartitionID, NodeType_ID, Max_Number FROM NodeTypeMaxima"
                                 " WHERE Config_ID = ? AND PartitionID = ? ORDER BY NodeType_ID"),
                  {int(configId), int(partitionId)}, layouts::nodeMaxima());
}

std::optional<qint16> ReferenceStore::selectedPartition() const
{
    QSqlQuery query = prepare(QStringLiteral("SELECT PartitionID FROM SelectedPartition WHERE Slot = 1"));
    run(query, {});
    if (!query.next())
        return std::nullopt;
    return qint16(query.value(0).toInt());
}

void ReferenceStore::requireConfiguration(qint16 configId) const
{
    if (!exists(QStringLiteral("SELECT 1 FROM Configurations WHERE Config_ID = ?"), {int(configId)}))
        throw StoreError(kRecordMissing, QStringLiteral("configuration %1 does not exist").arg(configId));
}

void ReferenceStore::requirePartition(qint16 configId, qint16 partitionId) const
{
    if (!exists(QStringLiteral("SELECT 1 FROM Partitions WHERE Config_ID = ? AND PartitionID = ?"),
                {int(configId), int(partitionId)}))
        throw StoreError(kRecordMissing, partitionText(configId, partitionId)
                                             + QStringLiteral(" does not exist; store the partition first"));
}

void ReferenceStore::requireNodeType(qint16 nodeTypeId) const
{
    if (!exists(QStringLiteral("SELECT 1 FROM NodeTypes WHERE ID = ?"), {int(nodeTypeId)}))
        throw StoreError(kRecordMissing,
                         QStringLiteral("node type %1 is not in the node type list").arg(nodeTypeId));
}

void ReferenceStore::writePartition(const QString &sql, const PartitionRow &row)
{
    QSqlQuery query = prepare(sql);
    run(query, {textValue(row.name), textValue(row.accessCode), textValue(row.remLanguage),
                textValue(row.selectLimit), row.timeLimit, textValue(row.command),
                textValue(row.noMsgRecorded), row.totalRecTime, row.totalTimeOfMessagesRecorded,
                row.timeLeft, optionalValue(row.msgNo), int(row.configId), int(row.partitionId)});
}

namespace {

const QString kInsertPartition = QStringLiteral(
    "INSERT INTO Partitions (Name, PartitionAccessCode, REMLanguage, SelectLimit, TimeLimit, Command,"
    " NoMSGRecorded, TotalRecTime, TotalTimeOfMessagesRecorded, TimeLeft, MSGNo, Config_ID, PartitionID)"
    " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
const QString kUpdatePartition = QStringLiteral(
    "UPDATE Partitions SET Name = ?, PartitionAccessCode = ?, REMLanguage = ?, SelectLimit = ?,"
    " TimeLimit = ?, Command = ?, NoMSGRecorded = ?, TotalRecTime = ?, TotalTimeOfMessagesRecorded = ?,"
    " TimeLeft = ?, MSGNo = ? WHERE Config_ID = ? AND PartitionID = ?");
const QString kInsertNodeMax = QStringLiteral(
    "INSERT INTO NodeTypeMaxima (Max_Number, Config_ID, PartitionID, NodeType_ID) VALUES (?, ?, ?, ?)");
const QString kUpdateNodeMax = QStringLiteral(
    "UPDATE NodeTypeMaxima SET Max_Number = ? WHERE Config_ID = ? AND PartitionID = ? AND NodeType_ID = ?");

} // namespace

bool ReferenceStore::partitionExists(qint16 configId, qint16 partitionId) const
{
    return exists(QStringLiteral("SELECT 1 FROM Partitions WHERE Config_ID = ? AND PartitionID = ?"),
                  {int(configId), int(partitionId)});
}

void ReferenceStore::insertPartition(const PartitionRow &row)
{
    inTransaction([&] {
        requireConfiguration(row.configId);
        if (partitionExists(row.configId, row.partitionId))
            throw StoreError(kRecordExists, partitionText(row.configId, row.partitionId)
                                                + QStringLiteral(" already exists; its settings were kept"
                                                                 " (Update_Partition_Record changes them)"));
        writePartition(kInsertPartition, row);
    });
}

void ReferenceStore::savePartition(const PartitionRow &row)
{
    inTransaction([&] {
        requireConfiguration(row.configId);
        const bool present = partitionExists(row.configId, row.partitionId);
        writePartition(present ? kUpdatePartition : kInsertPartition, row);
    });
}

void ReferenceStore::writeNodeMax(const QString &sql, const NodeMaxRow &row)
{
    QSqlQuery query = prepare(sql);
    run(query, {int(row.maxNumber), int(row.configId), int(row.partitionId), int(row.nodeTypeId)});
}

bool ReferenceStore::nodeMaxExists(const NodeMaxRow &row) const
{
    return exists(QStringLiteral("SELECT 1 FROM NodeTypeMaxima"
                                 " WHERE Config_ID = ? AND PartitionID = ? AND NodeType_ID = ?"),
                  {int(row.configId), int(row.partitionId), int(row.nodeTypeId)});
}

bool ReferenceStore::insertNodeMax(const NodeMaxRow &row)
{
    bool stored = false;
    inTransaction([&] {
        requirePartition(row.configId, row.partitionId);
        requireNodeType(row.nodeTypeId);
        if (nodeMaxExists(row))
            return;
        writeNodeMax(kInsertNodeMax, row);
        stored = true;
    });
    return stored;
}

void ReferenceStore::saveNodeMax(const NodeMaxRow &row)
{
    inTransaction([&] {
        requirePartition(row.configId, row.partitionId);
        requireNodeType(row.nodeTypeId);
        writeNodeMax(nodeMaxExists(row) ? kUpdateNodeMax : kInsertNodeMax, row);
    });
}

void ReferenceStore::selectPartition(qint16 partitionId)
{
    inTransaction([&] {
        QSqlQuery clear = prepare(QStringLiteral("DELETE FROM SelectedPartition"));
        run(clear, {});
        QSqlQuery insert = prepare(QStringLiteral("INSERT INTO SelectedPartition (Slot, PartitionID) VALUES (1, ?)"));
        run(insert, {int(partitionId)});
    });
}

void ReferenceStore::addConfiguration(const ConfigurationRow &row)
{
    inTransaction([&] {
        QSqlQuery query = prepare(QStringLiteral("INSERT INTO Configurations (Config_ID, Config_Name, Site_Name,"
                                                 " Site_ID, System_Name, System_ID) VALUES (?, ?, ?, ?, ?, ?)"));
        run(query, {int(row.configId), textValue(row.name), textValue(row.siteName), row.siteId,
                    textValue(row.systemName), row.systemId});
    });
}

void ReferenceStore::setConfigurationInUse(qint16 configId)
{
    inTransaction([&] {
        requireConfiguration(configId);
        QSqlQuery query = prepare(
            QStringLiteral("UPDATE Configurations SET In_Use = CASE WHEN Config_ID = ? THEN 1 ELSE 0 END"));
        run(query, {int(configId)});
    });
}

void ReferenceStore::addNodeTypeRow(const NodeTypeRow &row, NodeTypeKey key)
{
    inTransaction([&] {
        if (key == NodeTypeKey::AllowRepeatedId) {
            QSqlQuery drop = prepare(
                QStringLiteral("DROP INDEX IF EXISTS %1").arg(QLatin1String(schema::kNodeTypeIdIndex)));
            run(drop, {});
        }
        QSqlQuery query = prepare(QStringLiteral("INSERT INTO NodeTypes (ID, Name, Name_French) VALUES (?, ?, ?)"));
        run(query, {int(row.id), textValue(row.english), textValue(row.french)});
    });
}

void ReferenceStore::seedPartitions(qint16 configId, int count)
{
    if (count < 0 || count > 32768)
        throw StoreError(kDatabaseFailure, QStringLiteral("cannot seed %1 partitions: 0 to 32768 fit").arg(count));
    inTransaction([&] {
        if (!exists(QStringLiteral("SELECT 1 FROM Configurations WHERE Config_ID = ?"), {int(configId)}))
            addConfiguration({configId, QStringLiteral("Configuration %1").arg(configId),
                              QStringLiteral("Bench Site"), 900, QStringLiteral("Bench System"), 9000});
        QSet<int> present;
        QSqlQuery existing = prepare(QStringLiteral("SELECT PartitionID FROM Partitions WHERE Config_ID = ?"));
        run(existing, {int(configId)});
        while (existing.next())
            present.insert(existing.value(0).toInt());
        QSqlQuery insert = prepare(kInsertPartition);
        for (int id = 0; id < count; ++id) {
            if (present.contains(id))
                continue;
            run(insert, {QStringLiteral("Partition %1").arg(id), QStringLiteral("6093"), QStringLiteral("ENGLISH"),
                         QStringLiteral("0"), 0, QStringLiteral("NOOP"), QStringLiteral("IGNORE"), 0, 0, 0, 1,
                         int(configId), id});
        }
    });
}

} // namespace server
