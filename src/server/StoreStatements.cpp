// The store's SQL, built from the schema's table names and the answers'
// columns.
#include "server/StoreStatements.h"

#include "components/AnswerColumns.h"
#include "server/AnswerLayouts.h"
#include "server/StoreSchema.h"

#include <QStringList>

namespace server {

namespace {

namespace s = columns::settings;
namespace c = columns::configuration;
namespace t = columns::nodeTypes;
namespace m = columns::nodeMaxima;
using schema::ChangeHistory;
using schema::Configurations;
using schema::NodeTypeMaxima;
using schema::NodeTypes;
using schema::Partitions;

QStringList namesOf(const QList<FieldInfo> &layout)
{
    QStringList names;
    for (const FieldInfo &field : layout)
        names << field.name;
    return names;
}

// "a = ?<separator>b = ?"
QString placeholders(const QStringList &names, const QString &separator)
{
    QStringList parts;
    for (const QString &name : names)
        parts << name + QStringLiteral(" = ?");
    return parts.join(separator);
}

QString matching(const QStringList &names) { return placeholders(names, QStringLiteral(" AND ")); }

QString matching(std::initializer_list<AnswerColumn> key)
{
    QStringList names;
    for (const AnswerColumn &column : key)
        names << QString(column.name);
    return matching(names);
}

// "SELECT <the layout's columns> FROM <table> <rest>"
QString select(const QList<FieldInfo> &layout, QLatin1String table, const QString &rest)
{
    return QStringLiteral("SELECT %1 FROM %2 %3").arg(namesOf(layout).join(QStringLiteral(", ")), table, rest);
}

QString exists(QLatin1String table, std::initializer_list<AnswerColumn> key)
{
    return QStringLiteral("SELECT 1 FROM %1 WHERE %2").arg(table, matching(key));
}

QString insert(QLatin1String table, const QList<FieldInfo> &layout)
{
    const QStringList names = namesOf(layout);
    const QStringList marks(names.size(), QStringLiteral("?"));
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

// Sets every column after the first keyColumns of the layout, for the row
// whose key columns match.
QString update(QLatin1String table, const QList<FieldInfo> &layout, int keyColumns)
{
    const QStringList names = namesOf(layout);
    return QStringLiteral("UPDATE %1 SET %2 WHERE %3")
        .arg(table, placeholders(names.mid(keyColumns), QStringLiteral(", ")), matching(names.first(keyColumns)));
}

StoreStatements build()
{
    StoreStatements sql;
    sql.partitionSettings = select(layouts::partitionSettings(), Partitions,
                                   QStringLiteral("WHERE ") + matching({s::Config_ID, s::PartitionID}));
    sql.partitionList =
        select(layouts::partitionList(), Partitions,
               QStringLiteral("WHERE %1 ORDER BY %2").arg(matching({s::Config_ID}), s::PartitionID.name));
    sql.configurations = select(
        layouts::configuration(), Configurations,
        QStringLiteral("ORDER BY CASE WHEN %1 = 1 THEN 0 ELSE 1 END, %2").arg(schema::In_Use, c::Config_ID.name));
    sql.nodeTypes = select(layouts::nodeTypes(), NodeTypes, QStringLiteral("ORDER BY ") + t::ID.name);
    sql.nodeMaxima = select(
        layouts::nodeMaxima(), NodeTypeMaxima,
        QStringLiteral("WHERE %1 ORDER BY %2").arg(matching({m::Config_ID, m::PartitionID}), m::NodeType_ID.name));

    sql.allPartitionSettings =
        select(layouts::partitionSettings(), Partitions,
               QStringLiteral("WHERE %1 ORDER BY %2").arg(matching({s::Config_ID}), s::PartitionID.name));
    sql.allNodeMaxima = select(layouts::wholeNodeMaxima(), NodeTypeMaxima,
                               QStringLiteral("WHERE %1 ORDER BY %2, %3")
                                   .arg(matching({m::Config_ID}), m::PartitionID.name, m::NodeType_ID.name));

    sql.configurationExists = exists(Configurations, {c::Config_ID});
    sql.revision = QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                       .arg(schema::Revision, Partitions, matching({s::Config_ID, s::PartitionID}));

    sql.revisions = QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4")
                        .arg(s::PartitionID.name, schema::Revision, Partitions, matching({s::Config_ID}));

    sql.partitionKeyColumns = s::PartitionID.position + 1; // Config_ID, PartitionID
    sql.insertPartition = insert(Partitions, layouts::partitionSettings()) + QStringLiteral(" ON CONFLICT DO NOTHING");
    sql.updatePartition = update(Partitions, layouts::partitionSettings(), sql.partitionKeyColumns);
    sql.setRevision = QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3")
                          .arg(Partitions, schema::Revision, matching({s::Config_ID, s::PartitionID}));
    sql.nodeMaxKeyColumns = m::NodeType_ID.position + 1; // Config_ID, PartitionID, NodeType_ID
    sql.insertNodeMax = insert(NodeTypeMaxima, layouts::nodeMaxima());
    sql.updateNodeMax = update(NodeTypeMaxima, layouts::nodeMaxima(), sql.nodeMaxKeyColumns);
    sql.insertConfiguration = insert(Configurations, layouts::configuration());
    sql.insertNodeType = insert(NodeTypes, layouts::nodeTypes());

    sql.markConfigurationInUse = QStringLiteral("UPDATE %1 SET %2 = CASE WHEN %3 = ? THEN 1 ELSE 0 END")
                                     .arg(Configurations, schema::In_Use, c::Config_ID.name);

    const QStringList changeColumns = {schema::Changed_At,  schema::Changed_By, schema::Host_Name, s::Config_ID.name,
                                       s::PartitionID.name, schema::Item,       schema::Old_Value, schema::New_Value};
    sql.insertChange = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(ChangeHistory, changeColumns.join(QStringLiteral(", ")),
                                QStringList(changeColumns.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    sql.history = QStringLiteral("SELECT %1 FROM %2").arg(changeColumns.join(QStringLiteral(", ")), ChangeHistory);
    return sql;
}

} // namespace

const StoreStatements &storeStatements()
{
    static const StoreStatements statements = build();
    return statements;
}

QString insertChanges(qsizetype rows)
{
    const QString &insert = storeStatements().insertChange;
    const QString oneRow = insert.mid(insert.lastIndexOf(QStringLiteral("VALUES ")) + 7);
    return insert + (QStringLiteral(", ") + oneRow).repeated(rows - 1);
}

} // namespace server
