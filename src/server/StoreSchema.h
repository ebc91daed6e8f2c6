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
inline constexpr QLatin1String SelectedPartition("SelectedPartition");

// Columns of the store's own: the configuration in use (1) comes first in
// the configuration answer; SelectedPartition keeps its one row in slot 1.
inline constexpr QLatin1String In_Use("In_Use");
inline constexpr QLatin1String Slot("Slot");

// The statements that create the schema, in order.
QStringList createStatements();
// True when the database already holds the schema.
bool isPresent(const QSqlDatabase &database);
// The unique index that keeps node type ids apart (dropped to allow repeats).
inline constexpr const char *kNodeTypeIdIndex = "NodeTypes_ID";

} // namespace server::schema
