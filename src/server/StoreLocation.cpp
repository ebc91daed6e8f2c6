// PostgreSQL connection URIs as Qt Sql connection settings.
#include "server/StoreLocation.h"

#include "server/ReferenceStore.h"
#include "server/ServerErrors.h"

#include <QSqlError>
#include <QUrl>
#include <QUrlQuery>

namespace server {

namespace {

// Long enough for a save to wait for several others: a writer holds the lock
// for about a millisecond per partition write.
constexpr int kBusyTimeoutMs = 60000;

// A value of the driver's "key=value" options, quoted as libpq reads it.
QString quoted(QString value)
{
    value.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + value + u'\'';
}

} // namespace

bool isConnectionUri(const QString &location)
{
    return location.startsWith(QLatin1String("postgresql://")) || location.startsWith(QLatin1String("postgres://"));
}

ConnectionSettings connectionForUri(const QString &uri)
{
    const QUrl url(uri, QUrl::StrictMode);
    ConnectionSettings settings;
    settings.driver = QStringLiteral("QPSQL");
    settings.hostName = url.host();
    settings.port = url.port(-1);
    settings.userName = url.userName();
    settings.password = url.password();
    settings.databaseName = url.path().mid(1);
    QStringList options;
    for (const auto &[key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("host"))
            settings.hostName = value;
        else if (key == QLatin1String("port"))
            settings.port = value.toInt();
        else if (key == QLatin1String("user"))
            settings.userName = value;
        else if (key == QLatin1String("password"))
            settings.password = value;
        else if (key == QLatin1String("dbname"))
            settings.databaseName = value;
        else
            options << key + u'=' + quoted(value);
    }
    settings.options = options.join(u';');
    if (!url.isValid() || settings.databaseName.isEmpty() || settings.databaseName.contains(u'/'))
        throw StoreError(kDatabaseFailure,
                         QStringLiteral("\"%1\" names no database: write postgresql://user@host:port/dbname"
                                        " or postgresql:///dbname?host=/socket/folder")
                             .arg(url.toString(QUrl::RemovePassword)));
    return settings;
}

ConnectionSettings connectionFor(const QString &location)
{
    if (isConnectionUri(location))
        return connectionForUri(location);
    ConnectionSettings settings;
    settings.databaseName = location;
    settings.options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    return settings;
}

QSqlDatabase openDatabase(const ConnectionSettings &settings, const QString &connectionName)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(settings.driver, connectionName);
        db.setDatabaseName(settings.databaseName);
        db.setHostName(settings.hostName);
        db.setPort(settings.port);
        db.setUserName(settings.userName);
        db.setPassword(settings.password);
        db.setConnectOptions(settings.options);
        if (db.open())
            return db;
    }
    const QString message = QSqlDatabase::database(connectionName, false).lastError().text().simplified();
    QSqlDatabase::removeDatabase(connectionName);
    throw StoreError(kDatabaseFailure, QStringLiteral("cannot open the database \"%1\" (%2): %3")
                                           .arg(settings.databaseName, settings.driver, message));
}

} // namespace server
