// The local database definition: its connection, made on first use, and its two commands.
#include "localdb/Database.h"

#include "core/RuntimeError.h"
#include "platform/QRVCOMPlusFilesAndFolders.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

namespace {

// The number a failing data provider reports (E_FAIL).
constexpr qint32 kProviderError = -2147467259;

#ifdef Q_OS_WIN
const QString kFileName = QStringLiteral("NewDB.mdb");
#else
const QString kFileName = QStringLiteral("NewDB.sqlite");
#endif

rt::RuntimeError providerError(const QString &text) { return rt::RuntimeError::own(kProviderError, text); }

rt::RuntimeError providerError(const QSqlError &error) { return providerError(error.text().trimmed()); }

QString nextConnectionName()
{
    static QAtomicInteger<quint32> counter;
    return QStringLiteral("VEL_PART_SET.Database.%1").arg(counter.fetchAndAddRelaxed(1));
}

QString dataTypeOf(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::LongLong: return QStringLiteral("i4");
    case QMetaType::Double: return QStringLiteral("float");
    case QMetaType::QByteArray: return QStringLiteral("bin.hex");
    case QMetaType::Bool: return QStringLiteral("boolean");
    case QMetaType::QDateTime: return QStringLiteral("dateTime");
    default: return QStringLiteral("string");
    }
}

Variant variantOf(const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong: return Variant::integer(value.toLongLong());
    case QMetaType::Double: return Variant::floating(value.toDouble());
    case QMetaType::QByteArray: return Variant::binary(value.toByteArray());
    case QMetaType::Bool: return Variant::boolean(value.toBool());
    case QMetaType::QDateTime: return Variant::date(value.toDateTime());
    default: return Variant::text(value.toString());
    }
}

QList<FieldInfo> fieldsOf(const QSqlRecord &record)
{
    QList<FieldInfo> fields;
    for (int i = 0; i < record.count(); ++i)
        fields.append(FieldInfo{record.fieldName(i), dataTypeOf(record.field(i).metaType())});
    return fields;
}

RecordSet recordSetOf(QSqlQuery &query)
{
    RecordSet rows(fieldsOf(query.record()));
    while (query.next()) {
        RecordSet::Row row;
        for (int i = 0; i < query.record().count(); ++i)
            row.append(variantOf(query.value(i)));
        rows.addRow(row);
    }
    return rows;
}

void execute(QSqlQuery &query)
{
    if (!query.exec())
        throw providerError(query.lastError());
}

} // namespace

QString Database::defaultFilePath() { return QRVCOMPlusFilesAndFolders::databaseFolder() + kFileName; }

Database::Database(QString filePath) : m_filePath(filePath.isEmpty() ? defaultFilePath() : std::move(filePath))
{
#ifdef Q_OS_WIN
    m_connectionString =
        QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;") + QStringLiteral("Data Source=") + m_filePath;
#else
    m_connectionString = QStringLiteral("Data Source=") + m_filePath;
#endif
}

Database::~Database()
{
    if (m_connectionName.isEmpty())
        return;
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool Database::isOpen() const
{
    return !m_connectionName.isEmpty() && QSqlDatabase::database(m_connectionName, false).isOpen();
}

QSqlDatabase Database::connection()
{
    if (!m_connectionName.isEmpty())
        return QSqlDatabase::database(m_connectionName, false);
    if (!QFileInfo(m_filePath).isFile())
        throw providerError(QStringLiteral("Could not find file '%1'.").arg(m_filePath));
    const QString name = nextConnectionName();
#ifdef Q_OS_WIN
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
    db.setDatabaseName(QStringLiteral("DRIVER={Microsoft Access Driver (*.mdb)};DBQ=") + m_filePath);
#else
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(m_filePath);
#endif
    if (db.open()) {
        m_connectionName = name;
        return db;
    }
    const rt::RuntimeError failure = providerError(db.lastError());
    db = QSqlDatabase(); // the last handle goes before the connection is removed
    QSqlDatabase::removeDatabase(name);
    throw failure;
}

QSqlQuery Database::prepared(const QString &statement)
{
    QSqlQuery query(connection());
    if (!query.prepare(statement))
        throw providerError(query.lastError());
    return query;
}

void Database::Update_Node_Type_Max(const QString &Given_Max_Number, const QString &Given_Config_ID,
                                    const QString &Given_NodeType_ID, const QString &Given_PartitionID)
{
    QSqlQuery query = prepared(QStringLiteral(
        "UPDATE Node_Type_Max SET Max_Number = ? WHERE Config_ID = ? AND NodeType_ID = ? AND PartitionID = ?"));
    query.addBindValue(Given_Max_Number);
    query.addBindValue(Given_Config_ID);
    query.addBindValue(Given_NodeType_ID);
    query.addBindValue(Given_PartitionID);
    execute(query);
}

void Database::Get_MSGTYPE(const QString &Given_ConfigID)
{
    QSqlQuery query = prepared(QStringLiteral("SELECT QRVSettings.* FROM QRVSettings WHERE ConfigID = ?"));
    query.addBindValue(Given_ConfigID);
    execute(query);
    rsGet_MSGTYPE = recordSetOf(query);
}

Variant Database::GET_MSTTYPE(const QString &configId)
{
    Get_MSGTYPE(configId);
    return rsGet_MSGTYPE.Fields(QStringLiteral("MsgType"));
}
