// The change history of the reference store: who changed which value of which
// partition, when, on which machine; written as the unit of the changes it
// records commits, read newest first.
#include "server/ReferenceStore.h"

#include "components/AnswerColumns.h"
#include "server/StoreSchema.h"
#include "server/StoreStatements.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace server {

namespace {

// The operating system's name of the user running this process.
QString operatingSystemUser()
{
#ifdef Q_OS_UNIX
    if (const passwd *entry = getpwuid(geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
#endif
    for (const char *variable : {"USERNAME", "USER", "LOGNAME"})
        if (const QString name = qEnvironmentVariable(variable); !name.isEmpty())
            return name;
    return QStringLiteral("unknown");
}

QVariant textOrNull(const QVariant &value)
{
    return value.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(value.toString());
}

} // namespace

// One statement for up to kChangesPerStatement changes: a unit's history
// costs one round trip, not one per value. Each item is followed by the
// words given (the unit's note).
void ReferenceStore::recordHistory(const QList<std::pair<PartitionKey, Change::Value>> &changes,
                                   const QString &itemWords)
{
    static const QString user = operatingSystemUser();
    static const QString host = QSysInfo::machineHostName();
    const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    if (m_sqliteDirect && recordHistoryDirectly(changes, {now, user, host}, itemWords))
        return;
    for (qsizetype first = 0; first < changes.size(); first += kChangesPerStatement) {
        const qsizetype count = qMin(kChangesPerStatement, changes.size() - first);
        QVariantList values;
        for (qsizetype i = first; i < first + count; ++i) {
            const auto &[key, value] = changes.at(i);
            values << now << user << host << int(key.first) << int(key.second) << value.item + itemWords
                   << textOrNull(value.before) << textOrNull(value.after);
        }
        QSqlQuery &query = prepare(insertChanges(count));
        run(query, values);
        query.finish();
    }
}

QList<ChangeRow> ReferenceStore::history(std::optional<qint16> configId, std::optional<qint16> partitionId) const
{
    QStringList conditions;
    QVariantList values;
    if (configId) {
        conditions << QString(columns::settings::Config_ID.name) + QStringLiteral(" = ?");
        values << int(*configId);
    }
    if (partitionId) {
        conditions << QString(columns::settings::PartitionID.name) + QStringLiteral(" = ?");
        values << int(*partitionId);
    }
    QString sql = storeStatements().history;
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    QSqlQuery &query = prepare(sql + QStringLiteral(" ORDER BY %1 DESC").arg(schema::Change_ID));
    run(query, values);
    QList<ChangeRow> rows;
    while (query.next())
        rows.append({query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                     qint16(query.value(3).toInt()), qint16(query.value(4).toInt()), query.value(5).toString(),
                     query.value(6).toString(), query.value(7).toString()});
    query.finish();
    return rows;
}

} // namespace server
