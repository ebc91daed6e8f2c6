// Database: the local database definition in the database folder, through
// Qt Sql. The connection is made when a command first runs.
//
// The file is NewDB.mdb (Jet, through the Access ODBC driver) on Windows and
// NewDB.sqlite (SQLite) elsewhere; tests may name a file of their own. The
// commands expect the tables Node_Type_Max (Config_ID, PartitionID,
// NodeType_ID, Max_Number) and QRVSettings (ConfigID, MsgType, further fields).
// Database failures are run-time errors -2147467259 with the driver's text;
// a database file that does not exist is not created but refused.
#pragma once

#include "core/Variant.h"
#include "rowset/RecordSet.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

class Database
{
public:
    // The database file in the database folder.
    static QString defaultFilePath();

    // Sets the connection string for the given file (the default file when
    // empty); nothing is opened yet.
    explicit Database(QString filePath = {});
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &filePath() const { return m_filePath; }
    // "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file on Windows,
    // "Data Source=" + file elsewhere.
    const QString &connectionString() const { return m_connectionString; }
    bool isOpen() const;

    // UPDATE Node_Type_Max SET Max_Number = ? WHERE Config_ID = ? AND
    // NodeType_ID = ? AND PartitionID = ?, bound in that order.
    void Update_Node_Type_Max(const QString &Given_Max_Number, const QString &Given_Config_ID,
                              const QString &Given_NodeType_ID, const QString &Given_PartitionID);

    // SELECT QRVSettings.* FROM QRVSettings WHERE ConfigID = ?; the rows
    // replace rsGet_MSGTYPE.
    void Get_MSGTYPE(const QString &Given_ConfigID);
    RecordSet rsGet_MSGTYPE;

    // The field "MsgType" of the configuration's first QRVSettings row;
    // error 3021 when it has none.
    Variant GET_MSTTYPE(const QString &configId);

private:
    QSqlQuery prepared(const QString &statement);
    QSqlDatabase connection();

    QString m_filePath;
    QString m_connectionString;
    QString m_connectionName; // empty until the connection is made
};
