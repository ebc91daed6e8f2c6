// The backend the server tests run against: SQLite by default; PostgreSQL when
// PARTITION_SETTINGS_TEST_BACKEND is "postgresql", in the database that the
// URI in PARTITION_SETTINGS_TEST_PG names (scripts/test.sh starts a throwaway
// cluster and sets it). Each FreshLocation is a new, empty store location: a
// file in a temporary folder, or a schema of its own in that database.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

namespace testing {

// True when the tests run on PostgreSQL.
bool onPostgres();

// Skips the running test case when it is to run on PostgreSQL without a server.
void skipWithoutServer();

struct FreshLocation
{
    FreshLocation();
    ~FreshLocation(); // drops the schema
    // A plain connection to the location, beside any store's.
    QSqlDatabase connection() const;

    QTemporaryDir dir;
    QString location;     // for ReferenceStore::open and the host's --store
    QString databaseName; // as the store names its database in errors
    QString schema;
    QString connectionName;
};

} // namespace testing
