// The local database definition against a small SQLite database made by the
// test: the update binds its four parameters in their order, the message-type
// reader answers a configuration's first settings row, the connection is made
// only when a command first runs, and failures are the provider's error.
#include "RaisedErrors.h"
#include "localdb/Database.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class DatabaseTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_file = m_dir.filePath(QStringLiteral("NewDB.sqlite"));

    // Runs statements on a connection of the test's own; gives the first
    // value of each row they answer.
    QStringList run(const QStringList &statements)
    {
        QStringList rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("tst_database"));
            db.setDatabaseName(m_file);
            QSqlQuery query(db.open() ? db : QSqlDatabase());
            for (const QString &statement : statements)
                for (query.exec(statement); query.next();)
                    rows << query.value(0).toString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("tst_database"));
        return rows;
    }

private slots:
    // Every order of three distinct keys names a row, so that keys bound in a
    // wrong order update some other row.
    void init()
    {
        QFile::remove(m_file);
        run({"CREATE TABLE Node_Type_Max (Config_ID INTEGER, PartitionID INTEGER, NodeType_ID INTEGER, "
             "Max_Number INTEGER)",
             "INSERT INTO Node_Type_Max VALUES (1,2,3,0), (1,3,2,0), (2,1,3,0), (2,3,1,0), (3,1,2,0), (3,2,1,0)",
             "CREATE TABLE QRVSettings (ConfigID INTEGER, MsgType INTEGER, Name TEXT)",
             "INSERT INTO QRVSettings VALUES (1, 2, 'first'), (2, 7, 'second'), (2, 8, 'second b')"});
    }

    void updateBindsInOrder()
    {
        QCOMPARE(testing::errorNumberOf([&] { Database(m_file).Update_Node_Type_Max("9", "1", "2", "3"); }), 0);
        QCOMPARE(run({"SELECT Config_ID || ',' || PartitionID || ',' || NodeType_ID || ',' || Max_Number "
                      "FROM Node_Type_Max WHERE Max_Number <> 0"}),
                 QStringList{"1,3,2,9"});
    }

    // The message type of the configuration's first row (or the error),
    // whether the connection is open, and the size of the rows read.
    void msgType_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("configId");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first of two rows") << "NewDB.sqlite" << "2" << "7 open 2 rows of 3 columns";
        QTest::newRow("no row") << "NewDB.sqlite" << "3" << "error 3021 open 0 rows of 3 columns";
        QTest::newRow("a missing file, not made") << "Absent.sqlite" << "1" << "error -2147467259 closed";
    }
    void msgType()
    {
        QFETCH(QString, file);
        QFETCH(QString, configId);
        QFETCH(QString, expected);
        Database database(m_dir.filePath(file));
        QVERIFY(!database.isOpen());
        QString read;
        if (const int error = testing::errorNumberOf([&] { read = database.GET_MSTTYPE(configId).toText(); }))
            read = QStringLiteral("error %1").arg(error);
        read += database.isOpen() ? QStringLiteral(" open") : QStringLiteral(" closed");
        if (database.rsGet_MSGTYPE.isOpen())
            read += QStringLiteral(" %1 rows of %2 columns").arg(database.rsGet_MSGTYPE.RecordCount())
                        .arg(database.rsGet_MSGTYPE.fields().size());
        QCOMPARE(read, expected);
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("Absent.sqlite"))));
    }
};

QTEST_MAIN(DatabaseTest)
#include "tst_database.moc"
