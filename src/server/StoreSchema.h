// The reference store's tables, in SQL that SQLite and PostgreSQL both take.
#pragma once

#include <QSqlDatabase>
#include <QStringList>

namespace server::schema {

// The statements that create the schema, in order.
QStringList createStatements();
// True when the database already holds the schema.
bool isPresent(const QSqlDatabase &database);
// The unique index that keeps node type ids apart (dropped to allow repeats).
inline constexpr const char *kNodeTypeIdIndex = "NodeTypes_ID";

} // namespace server::schema
