// The one store behind all reference components: a Qt Sql connection of its
// own (SQLite by default, any driver the caller names), the schema, and the
// reads and writes the components need. Every statement binds its values;
// every write runs in one transaction. Failures are StoreErrors whose reason
// carries the database's own message.
#pragma once

#include "data/RecordSet.h"
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
    enum class Seeding { SampleConfiguration, SchemaOnly };

    // Opens the database; when it has no schema yet, creates it and (unless
    // told otherwise) fills in the sample configuration.
    explicit ReferenceStore(const ConnectionSettings &settings, Seeding seeding = Seeding::SampleConfiguration);
    static std::shared_ptr<ReferenceStore> openSqlite(const QString &filePath,
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
    std::optional<qint16> selectedPartition() const;

    // Writes.
    void insertPartition(const PartitionRow &row); // an existing partition is kRecordExists
    void savePartition(const PartitionRow &row);   // updates, or stores a missing row
    bool insertNodeMax(const NodeMaxRow &row);     // keeps an existing row; false then
    void saveNodeMax(const NodeMaxRow &row);       // updates, or stores a missing row
    void selectPartition(qint16 partitionId);
    void addConfiguration(const ConfigurationRow &row);
    void setConfigurationInUse(qint16 configId);
    void addNodeTypeRow(const NodeTypeRow &row);

    // Runs work in one transaction (nested calls join the outer one); an
    // exception rolls everything back and goes on to the caller.
    void inTransaction(const std::function<void()> &work);

private:
    void tuneSqlite();
    QSqlQuery prepare(const QString &sql) const;
    void run(QSqlQuery &query, const QVariantList &values) const;
    RecordSet answer(const QString &sql, const QVariantList &values, const QList<FieldInfo> &layout) const;
    bool exists(const QString &sql, const QVariantList &values) const;
    void requireConfiguration(qint16 configId) const;
    void requirePartition(qint16 configId, qint16 partitionId) const;
    void requireNodeType(qint16 nodeTypeId) const;
    bool partitionExists(qint16 configId, qint16 partitionId) const;
    bool nodeMaxExists(const NodeMaxRow &row) const;
    // Updates the row when present, else inserts it.
    void writePartition(bool present, const PartitionRow &row);
    void writeNodeMax(bool present, const NodeMaxRow &row);
    [[noreturn]] void fail(const QString &what, const QSqlError &error) const;

    QString m_connectionName;
    int m_transactionDepth = 0;
};

} // namespace server
