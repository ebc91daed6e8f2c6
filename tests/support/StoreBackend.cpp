// Fresh store locations on the backend under test.
#include "StoreBackend.h"

#include "server/ReferenceStore.h"
#include "server/StoreLocation.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <stdexcept>

namespace testing {

namespace {

QString testUri() { return qEnvironmentVariable("PARTITION_SETTINGS_TEST_PG"); }

void run(QSqlDatabase database, const QString &sql)
{
    QSqlQuery query(database);
    if (!query.exec(sql))
        throw std::runtime_error(("test database: " + sql + ": " + query.lastError().text()).toStdString());
}

} // namespace

bool onPostgres() { return qEnvironmentVariable("PARTITION_SETTINGS_TEST_BACKEND") == QLatin1String("postgresql"); }

QString postgresMissing()
{
    if (!onPostgres() || !testUri().isEmpty())
        return QString();
    return QStringLiteral("no PostgreSQL server: set PARTITION_SETTINGS_TEST_PG to a postgresql:// URI of a database "
                          "the tests may fill (scripts/test.sh starts one)");
}

FreshLocation::FreshLocation()
{
    static QAtomicInteger<int> counter;
    const int number = counter.fetchAndAddRelaxed(1) + 1;
    m_connectionName = QStringLiteral("fresh_location_%1").arg(number);
    if (!onPostgres()) {
        QDir().mkpath(m_dir.filePath(QStringLiteral("Database")));
        location = databaseName = m_dir.filePath(QStringLiteral("Database/store.sqlite"));
        return;
    }
    m_schema = QStringLiteral("test_%1_%2").arg(QCoreApplication::applicationPid()).arg(number);
    const QString uri = testUri();
    location = uri + (uri.contains(u'?') ? u'&' : u'?') + QStringLiteral("options=")
               + QString::fromLatin1(QUrl::toPercentEncoding(QStringLiteral("-csearch_path=") + m_schema));
    databaseName = server::connectionForUri(uri).databaseName;
    run(connection(), QStringLiteral("CREATE SCHEMA ") + m_schema);
}

FreshLocation::~FreshLocation()
{
    if (!m_schema.isEmpty()) {
        QSqlQuery drop(connection());
        drop.exec(QStringLiteral("SET client_min_messages = warning"));
        drop.exec(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(m_schema));
    }
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase FreshLocation::connection() const
{
    if (QSqlDatabase::contains(m_connectionName))
        return QSqlDatabase::database(m_connectionName);
    const server::ConnectionSettings settings =
        onPostgres() ? server::connectionForUri(location) : server::ConnectionSettings{};
    QSqlDatabase database = QSqlDatabase::addDatabase(settings.driver, m_connectionName);
    database.setDatabaseName(onPostgres() ? settings.databaseName : location);
    database.setHostName(settings.hostName);
    database.setPort(settings.port);
    database.setUserName(settings.userName);
    database.setPassword(settings.password);
    database.setConnectOptions(settings.options);
    if (!database.open())
        throw std::runtime_error("test database: " + database.lastError().text().toStdString());
    return database;
}

} // namespace testing
