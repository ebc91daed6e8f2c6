// Schema of the reference store. Plain types (SMALLINT, INTEGER, VARCHAR) and
// declared keys only, so that the same statements serve SQLite and PostgreSQL.
// Node types carry their key as a separate unique index so that a store for
// error-path tests can drop it and hold a repeated id.
#include "server/StoreSchema.h"

namespace server::schema {

QStringList createStatements()
{
    return {
        QStringLiteral("CREATE TABLE Configurations ("
                       " Config_ID SMALLINT NOT NULL PRIMARY KEY,"
                       " Config_Name VARCHAR(100) NOT NULL,"
                       " Site_Name VARCHAR(100) NOT NULL, Site_ID INTEGER NOT NULL,"
                       " System_Name VARCHAR(100) NOT NULL, System_ID INTEGER NOT NULL,"
                       " In_Use SMALLINT NOT NULL DEFAULT 0)"),
        QStringLiteral("CREATE TABLE Partitions ("
                       " Config_ID SMALLINT NOT NULL REFERENCES Configurations (Config_ID),"
                       " PartitionID SMALLINT NOT NULL,"
                       " Name VARCHAR(255) NOT NULL,"
                       " PartitionAccessCode VARCHAR(50) NOT NULL,"
                       " REMLanguage VARCHAR(50) NOT NULL,"
                       " SelectLimit VARCHAR(50) NOT NULL,"
                       " TimeLimit INTEGER NOT NULL,"
                       " Command VARCHAR(50) NOT NULL,"
                       " NoMSGRecorded VARCHAR(50) NOT NULL,"
                       " TotalRecTime INTEGER NOT NULL,"
                       " TotalTimeOfMessagesRecorded INTEGER NOT NULL,"
                       " TimeLeft INTEGER NOT NULL,"
                       " MSGNo SMALLINT NULL,"
                       " PRIMARY KEY (Config_ID, PartitionID))"),
        QStringLiteral("CREATE TABLE NodeTypes ("
                       " ID SMALLINT NOT NULL,"
                       " Name VARCHAR(100) NOT NULL,"
                       " Name_French VARCHAR(100) NOT NULL)"),
        QStringLiteral("CREATE UNIQUE INDEX %1 ON NodeTypes (ID)").arg(QLatin1String(kNodeTypeIdIndex)),
        QStringLiteral("CREATE TABLE NodeTypeMaxima ("
                       " Config_ID SMALLINT NOT NULL,"
                       " PartitionID SMALLINT NOT NULL,"
                       " NodeType_ID SMALLINT NOT NULL,"
                       " Max_Number SMALLINT NOT NULL,"
                       " PRIMARY KEY (Config_ID, PartitionID, NodeType_ID),"
                       " FOREIGN KEY (Config_ID, PartitionID) REFERENCES Partitions (Config_ID, PartitionID))"),
        QStringLiteral("CREATE TABLE SelectedPartition ("
                       " Slot SMALLINT NOT NULL PRIMARY KEY,"
                       " PartitionID SMALLINT NOT NULL)"),
    };
}

bool isPresent(const QSqlDatabase &database)
{
    const QStringList tables = database.tables();
    return tables.contains(QStringLiteral("Configurations"), Qt::CaseInsensitive);
}

} // namespace server::schema
