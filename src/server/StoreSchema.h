// The reference store's tables, in SQL that SQLite and PostgreSQL both take.
// A table that backs an answer names its columns as the answer does
// (AnswerColumns.h); the few columns of the store's own are named here.
#pragma once

#include <QLatin1String>
#include <QSqlDatabase>
#include <QStringList>

namespace server::schema {

// Tables.
inline constexpr QLatin1String Configurations("Configurations");
inline constexpr QLatin1String Partitions("Partitions");
inline constexpr QLatin1String NodeTypes("NodeTypes");
inline constexpr QLatin1String NodeTypeMaxima("NodeTypeMaxima");
inline constexpr QLatin1String ChangeHistory("ChangeHistory");

// Columns of the store's own: the configuration in use (1) comes first in
// the configuration answer.
inline constexpr QLatin1String In_Use("In_Use");
// A partition's revision, counted up by every change of its settings or maxima.
inline constexpr QLatin1String Revision("Revision");
// The change history's columns, in the order of ChangeRow.
inline constexpr QLatin1String Change_ID("Change_ID");
inline constexpr QLatin1String Changed_At("Changed_At");
inline constexpr QLatin1String Changed_By("Changed_By");
inline constexpr QLatin1String Host_Name("Host_Name");
inline constexpr QLatin1String Item("Item");
inline constexpr QLatin1String Old_Value("Old_Value");
inline constexpr QLatin1String New_Value("New_Value");

// The statements that create the schema, in order (the history's key is
// counted by the database, which SQLite and PostgreSQL spell differently).
QStringList createStatements(bool postgres);
// What a database holds: nothing, this store's tables, this store's tables of
// before revisions and history, or tables of something else.
enum class Contents { Empty, Current, WithoutHistory, Foreign };
// The tables of the database (of the connection's schema on PostgreSQL); a
// StoreError when they cannot be read.
QStringList tables(const QSqlDatabase &database, bool postgres);
Contents contentsOf(const QStringList &tables);
// Brings a store of before revisions and history up to date.
QStringList upgradeStatements(bool postgres);
// The unique index that keeps node type ids apart (dropped to allow repeats).
inline constexpr const char *kNodeTypeIdIndex = "NodeTypes_ID";

} // namespace server::schema
