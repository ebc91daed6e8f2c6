// Schema of the reference store. Plain types (SMALLINT, INTEGER, TEXT) and
// declared keys only, so that the same statements serve SQLite and PostgreSQL
// alike; only the history's counted key is spelled for each. Texts carry no
// length limit: SQLite would not enforce one, and a value that one backend
// stores must not be refused by the other.
// Node types carry their key as a separate unique index so that a store for
// error-path tests can drop it and hold a repeated id.
#include "server/StoreSchema.h"

#include "components/AnswerColumns.h"
#include "server/ServerErrors.h"

#include <QSqlError>
#include <QSqlQuery>

namespace server::schema {

namespace {

struct Column
{
    QLatin1String name;
    const char *type;
};

// "CREATE TABLE <table> (<name> <type>, ..., <constraints>)".
QString createTable(QLatin1String table, std::initializer_list<Column> columns, const QString &constraints)
{
    QStringList parts;
    for (const Column &column : columns)
        parts << column.name + QLatin1Char(' ') + QLatin1String(column.type);
    if (!constraints.isEmpty())
        parts << constraints;
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(table, parts.join(QStringLiteral(", ")));
}

// On SQLite, a table whose rows are kept in the order of its primary key,
// with no second tree for the key: reading a configuration's partitions (or
// a partition's maxima) in order is one walk, and a row written goes to one
// tree, not to the table and its key's index.
QString keyOrdered(bool postgres, const QString &createStatement)
{
    return postgres ? createStatement : createStatement + QStringLiteral(" WITHOUT ROWID");
}

namespace s = columns::settings;
namespace c = columns::configuration;
namespace t = columns::nodeTypes;
namespace m = columns::nodeMaxima;

QString configurationsTable()
{
    return createTable(Configurations,
                       {{c::Config_ID.name, "SMALLINT NOT NULL"},
                        {c::Config_Name.name, "TEXT NOT NULL"},
                        {c::Site_Name.name, "TEXT NOT NULL"},
                        {c::Site_ID.name, "INTEGER NOT NULL"},
                        {c::System_Name.name, "TEXT NOT NULL"},
                        {c::System_ID.name, "INTEGER NOT NULL"},
                        {In_Use, "SMALLINT NOT NULL DEFAULT 0"}},
                       QStringLiteral("PRIMARY KEY (%1)").arg(c::Config_ID.name));
}

QString partitionsTable()
{
    return createTable(Partitions,
                       {{s::Config_ID.name, "SMALLINT NOT NULL"},
                        {s::PartitionID.name, "SMALLINT NOT NULL"},
                        {s::Name.name, "TEXT NOT NULL"},
                        {s::PartitionAccessCode.name, "TEXT NOT NULL"},
                        {s::REMLanguage.name, "TEXT NOT NULL"},
                        {s::SelectLimit.name, "TEXT NOT NULL"},
                        {s::TimeLimit.name, "INTEGER NOT NULL"},
                        {s::Command.name, "TEXT NOT NULL"},
                        {s::NoMSGRecorded.name, "TEXT NOT NULL"},
                        {s::TotalRecTime.name, "INTEGER NOT NULL"},
                        {s::TotalTimeOfMessagesRecorded.name, "INTEGER NOT NULL"},
                        {s::TimeLeft.name, "INTEGER NOT NULL"},
                        {s::MSGNo.name, "SMALLINT NULL"},
                        {Revision, "INTEGER NOT NULL DEFAULT 1"}},
                       QStringLiteral("PRIMARY KEY (%1, %2), FOREIGN KEY (%1) REFERENCES %3 (%4)")
                           .arg(s::Config_ID.name, s::PartitionID.name, Configurations, c::Config_ID.name));
}

QString nodeTypeMaximaTable()
{
    return createTable(NodeTypeMaxima,
                       {{m::Config_ID.name, "SMALLINT NOT NULL"},
                        {m::PartitionID.name, "SMALLINT NOT NULL"},
                        {m::NodeType_ID.name, "SMALLINT NOT NULL"},
                        {m::Max_Number.name, "SMALLINT NOT NULL"}},
                       QStringLiteral("PRIMARY KEY (%1, %2, %3), FOREIGN KEY (%1, %2) REFERENCES %4 (%5, %6)")
                           .arg(m::Config_ID.name, m::PartitionID.name, m::NodeType_ID.name, Partitions,
                                s::Config_ID.name, s::PartitionID.name));
}

QString changeHistoryTable(bool postgres)
{
    const char *key =
        postgres ? "BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY" : "INTEGER PRIMARY KEY AUTOINCREMENT";
    return createTable(ChangeHistory,
                       {{Change_ID, key},
                        {Changed_At, "TEXT NOT NULL"},
                        {Changed_By, "TEXT NOT NULL"},
                        {Host_Name, "TEXT NOT NULL"},
                        {s::Config_ID.name, "SMALLINT NOT NULL"},
                        {s::PartitionID.name, "SMALLINT NOT NULL"},
                        {Item, "TEXT NOT NULL"},
                        {Old_Value, "TEXT NULL"},
                        {New_Value, "TEXT NULL"}},
                       QString());
}

const QLatin1String kOwnTables[] = {Configurations, Partitions, NodeTypes, NodeTypeMaxima};

} // namespace

QStringList createStatements(bool postgres)
{
    return {
        configurationsTable(),
        keyOrdered(postgres, partitionsTable()),
        QStringLiteral("CREATE TABLE %1 (%2 SMALLINT NOT NULL, %3 TEXT NOT NULL, %4 TEXT NOT NULL)")
            .arg(NodeTypes, t::ID.name, t::Name.name, t::Name_French.name),
        QStringLiteral("CREATE UNIQUE INDEX %1 ON %2 (%3)").arg(QLatin1String(kNodeTypeIdIndex), NodeTypes, t::ID.name),
        keyOrdered(postgres, nodeTypeMaximaTable()),
        changeHistoryTable(postgres),
    };
}

QStringList upgradeStatements(bool postgres)
{
    return {QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 INTEGER NOT NULL DEFAULT 1").arg(Partitions, Revision),
            changeHistoryTable(postgres)};
}

QStringList tables(const QSqlDatabase &database, bool postgres)
{
    QSqlQuery query(database);
    if (!query.exec(postgres ? QStringLiteral("SELECT table_name FROM information_schema.tables"
                                              " WHERE table_schema = current_schema()")
                             : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"
                                              " AND name NOT LIKE 'sqlite_%'")))
        throw StoreError(kDatabaseFailure, QStringLiteral("the database \"%1\" could not be read: %2")
                                               .arg(database.databaseName(), query.lastError().text().simplified()));
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

Contents contentsOf(const QStringList &tables)
{
    if (tables.isEmpty())
        return Contents::Empty;
    for (QLatin1String own : kOwnTables)
        if (!tables.contains(own, Qt::CaseInsensitive))
            return Contents::Foreign;
    return tables.contains(ChangeHistory, Qt::CaseInsensitive) ? Contents::Current : Contents::WithoutHistory;
}

} // namespace server::schema
