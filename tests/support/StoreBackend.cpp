// Fresh store locations on the backend under test.
#include "StoreBackend.h"

#include "server/ReferenceStore.h"
#include "server/StoreLocation.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QSqlQuery>
#include <QTest>
#include <QUrl>

namespace testing {

bool onPostgres() { return qEnvironmentVariable("PARTITION_SETTINGS_TEST_BACKEND") == "postgresql"; }

void skipWithoutServer()
{
    if (onPostgres() && !qEnvironmentVariableIsSet("PARTITION_SETTINGS_TEST_PG"))
        QTest::qSkip("no PostgreSQL server: set PARTITION_SETTINGS_TEST_PG to a postgresql:// URI of a database the "
                     "tests may fill (scripts/test.sh starts one)", __FILE__, __LINE__);
}

FreshLocation::FreshLocation()
{
    static QAtomicInteger<int> counter;
    const int number = counter.fetchAndAddRelaxed(1) + 1;
    connectionName = QStringLiteral("fresh_location_%1").arg(number);
    location = databaseName = dir.filePath(QStringLiteral("store.sqlite"));
    if (!onPostgres())
        return;
    schema = QStringLiteral("test_%1_%2").arg(QCoreApplication::applicationPid()).arg(number);
    const QString uri = qEnvironmentVariable("PARTITION_SETTINGS_TEST_PG");
    location = uri + (uri.contains(u'?') ? u'&' : u'?') + QStringLiteral("options=")
               + QString::fromLatin1(QUrl::toPercentEncoding(QStringLiteral("-csearch_path=") + schema));
    databaseName = server::connectionForUri(uri).databaseName;
    QSqlQuery(connection()).exec(QStringLiteral("CREATE SCHEMA ") + schema);
}

FreshLocation::~FreshLocation()
{
    if (!schema.isEmpty())
        QSqlQuery(connection()).exec(QStringLiteral("SET client_min_messages = warning; DROP SCHEMA %1 CASCADE").arg(schema));
    QSqlDatabase::database(connectionName, false).close();
    QSqlDatabase::removeDatabase(connectionName);
}

QSqlDatabase FreshLocation::connection() const
{
    if (QSqlDatabase::contains(connectionName))
        return QSqlDatabase::database(connectionName);
    return server::openDatabase(server::connectionFor(location), connectionName);
}

} // namespace testing
