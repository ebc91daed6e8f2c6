// PostgreSQL connection URIs as Qt Sql connection settings. The URI's query
// may carry only known libpq connection keywords; values travel quoted, and
// what the driver's option string cannot carry is refused. No message built
// here shows the password, wherever the URI carries it.
#include "server/StoreLocation.h"

#include "server/ReferenceStore.h"
#include "server/ServerErrors.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QUrl>
#include <QUrlQuery>

namespace server {

namespace {

const QString kUsage = QStringLiteral("write postgresql://user@host:port/dbname"
                                      " or postgresql:///dbname?host=/socket/folder");

// libpq keywords that go to the driver as connection options. Those that
// would name another connection (service, a dbname in a connection string),
// change the protocol (replication) or the encoding the driver relies on
// (client_encoding) are left out; host, port, user, password and dbname have
// settings of their own.
const QStringList kDriverOptions = {
    QStringLiteral("application_name"),
    QStringLiteral("channel_binding"),
    QStringLiteral("connect_timeout"),
    QStringLiteral("gssencmode"),
    QStringLiteral("hostaddr"),
    QStringLiteral("keepalives"),
    QStringLiteral("keepalives_count"),
    QStringLiteral("keepalives_idle"),
    QStringLiteral("keepalives_interval"),
    QStringLiteral("krbsrvname"),
    QStringLiteral("options"),
    QStringLiteral("requirepeer"),
    QStringLiteral("sslcert"),
    QStringLiteral("sslcompression"),
    QStringLiteral("sslcrl"),
    QStringLiteral("sslkey"),
    QStringLiteral("sslmode"),
    QStringLiteral("sslrootcert"),
    QStringLiteral("target_session_attrs"),
    QStringLiteral("tcp_user_timeout"),
};

[[noreturn]] void refuse(const QString &reason) { throw StoreError(kDatabaseFailure, reason); }

// Why Qt could not read the URI, without the URI it quotes (which may hold
// the password) and without the offending character of a password.
QString parseFault(const QUrl &url)
{
    QString reason = url.errorString().section(QStringLiteral("; source was"), 0, 0);
    if (reason.startsWith(QLatin1String("Invalid password")))
        reason = QStringLiteral("Invalid password (percent-encode its special characters)");
    if (!reason.isEmpty())
        reason[0] = reason[0].toLower();
    return reason;
}

// A query key as a message may show it: a plain keyword, or nothing of it
// (a key that holds "=" or blanks may hold a value, a password too).
QString shownKey(const QString &key)
{
    static const QRegularExpression keyword(QStringLiteral("^[A-Za-z_]{1,40}$"));
    return keyword.match(key).hasMatch() ? u'"' + key + u'"' : QStringLiteral("a key that is no keyword");
}

// A value of the driver's "key=value" options, quoted as libpq reads it.
// The driver turns every ";" of its options into a blank, and a NUL would end
// the string, so a value holding either cannot be passed.
QString quotedOption(const QString &key, QString value)
{
    if (value.contains(u';') || value.contains(QChar(0)))
        refuse(QStringLiteral("the store URI's %1 holds a \";\" or a NUL character, which the database driver "
                              "cannot pass on")
                   .arg(key));
    value.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return key + QStringLiteral("='") + value + u'\'';
}

int portNumber(const QString &text)
{
    bool isNumber = false;
    const int port = text.toInt(&isNumber);
    if (!isNumber || port < 1 || port > 65535)
        refuse(QStringLiteral("the store URI's port \"%1\" is no number from 1 to 65535").arg(text));
    return port;
}

// Takes one query item into the settings, or refuses it.
void takeQueryItem(ConnectionSettings &settings, QStringList &options, const QString &key, const QString &value)
{
    if (key == QLatin1String("host"))
        settings.hostName = value;
    else if (key == QLatin1String("port"))
        settings.port = portNumber(value);
    else if (key == QLatin1String("user"))
        settings.userName = value;
    else if (key == QLatin1String("password"))
        settings.password = value;
    else if (key == QLatin1String("dbname"))
        settings.databaseName = value;
    else if (kDriverOptions.contains(key))
        options << quotedOption(key, value);
    else
        refuse(QStringLiteral("the store URI's query names %1, which is no connection setting a store takes; "
                              "known are host, port, user, password, dbname, %2")
                   .arg(shownKey(key), kDriverOptions.join(QStringLiteral(", "))));
}

} // namespace

bool isConnectionUri(const QString &location)
{
    return location.startsWith(QLatin1String("postgresql://")) || location.startsWith(QLatin1String("postgres://"));
}

ConnectionSettings connectionForUri(const QString &uri)
{
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid())
        refuse(QStringLiteral("the store URI cannot be read: %1; %2").arg(parseFault(url), kUsage));
    ConnectionSettings settings;
    settings.driver = QStringLiteral("QPSQL");
    settings.hostName = url.host();
    settings.port = url.port(-1) == -1 ? -1 : portNumber(QString::number(url.port()));
    settings.userName = url.userName();
    settings.password = url.password();
    settings.databaseName = url.path().mid(1);
    QStringList options;
    for (const auto &[key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded))
        takeQueryItem(settings, options, key, value);
    settings.options = options.join(u';');
    for (const QString *text : {&settings.hostName, &settings.userName, &settings.password, &settings.databaseName})
        if (text->contains(QChar(0)))
            refuse(QStringLiteral("the store URI holds a NUL character (%00), which no connection setting may hold"));
    if (settings.databaseName.isEmpty() || settings.databaseName.contains(u'/'))
        refuse(QStringLiteral("\"%1\" names no database; %2")
                   .arg(url.toString(QUrl::RemovePassword | QUrl::RemoveQuery), kUsage));
    return settings;
}

ConnectionSettings connectionFor(const QString &location)
{
    if (isConnectionUri(location))
        return connectionForUri(location);
    ConnectionSettings settings;
    settings.databaseName = location;
    settings.options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kReadWaitMs); // writes wait longer
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
