// The local database definition against a small SQLite database made by the
// test: the update binds its four parameters in their order, the message-type
// command answers a configuration's settings rows, the connection is made only
// when a command first runs, and failures are the provider's error.
#include "ScopedEnvironment.h"
#include "RaisedErrors.h"
#include "data/Database.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs statements on a connection of the test's own; gives the first value
// of each row they answer, and the errors they raise.
QStringList run(const QString &file, const QStringList &statements)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("tst_database"));
        db.setDatabaseName(file);
        QSqlQuery query(db.open() ? db : QSqlDatabase());
        for (const QString &statement : statements) {
            if (!query.exec(statement))
                rows << query.lastError().text();
            while (query.next())
                rows << query.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("tst_database"));
    return rows;
}

} // namespace

class DatabaseTest : public QObject
{
    Q_OBJECT

private slots:
    // NewDB.sqlite, in which every order of three distinct keys names a row
    // (so that keys bound in a wrong order update some other row), and
    // Empty.sqlite, which has no tables.
    void init()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QFile(m_dir.filePath(QStringLiteral("Empty.sqlite"))).open(QIODevice::WriteOnly));
        QCOMPARE(run(m_dir.filePath(QStringLiteral("NewDB.sqlite")),
                     {"CREATE TABLE Node_Type_Max (Config_ID INTEGER, PartitionID INTEGER, NodeType_ID INTEGER, "
                      "Max_Number INTEGER)",
                      "INSERT INTO Node_Type_Max VALUES (1,2,3,0), (1,3,2,0), (2,1,3,0), (2,3,1,0), (3,1,2,0), "
                      "(3,2,1,0)",
                      "CREATE TABLE QRVSettings (ConfigID INTEGER, MsgType INTEGER, Name TEXT)",
                      "INSERT INTO QRVSettings VALUES (1, 2, 'first'), (2, 7, 'second'), (2, 8, 'second b')"}),
                 QStringList());
    }
    void cleanup() { QFile::remove(m_dir.filePath(QStringLiteral("NewDB.sqlite"))); }

    void updateNodeTypeMax_data()
    {
        QTest::addColumn<QStringList>("arguments"); // max, config, node type, partition
        QTest::addColumn<QStringList>("changed");   // config, partition, node type, max
        QTest::newRow("config 1, partition 3, node type 2")
            << QStringList{"9", "1", "2", "3"} << QStringList{"1,3,2,9"};
        QTest::newRow("no such row") << QStringList{"4", "4", "4", "4"} << QStringList();
    }
    void updateNodeTypeMax()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, changed);
        const QString file = m_dir.filePath(QStringLiteral("NewDB.sqlite"));
        QCOMPARE(testing::errorNumberOf([&] {
                     Database(file).Update_Node_Type_Max(arguments.value(0), arguments.value(1), arguments.value(2),
                                                         arguments.value(3));
                 }),
                 0);
        QCOMPARE(run(file, {"SELECT Config_ID || ',' || PartitionID || ',' || NodeType_ID || ',' || Max_Number "
                            "FROM Node_Type_Max WHERE Max_Number <> 0"}),
                 changed);
    }

    // The message type of the configuration's first row (or the error), whether
    // the connection is open, and the size of the rows read.
    void msgType_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("configId");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one row") << "NewDB.sqlite" << "1" << "2 open 1 rows of 3 columns";
        QTest::newRow("first of two rows") << "NewDB.sqlite" << "2" << "7 open 2 rows of 3 columns";
        QTest::newRow("no row") << "NewDB.sqlite" << "3" << "error 3021 open 0 rows of 3 columns";
        QTest::newRow("no table") << "Empty.sqlite" << "1" << "error -2147467259 open";
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

    // Without a file of its own the definition uses the data folder's Database folder.
    void defaultFileInDatabaseFolder()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("Velantis/QRVCOM+")));
        ScopedEnvironment shell("VELANTIS_COMMON_APPDATA", QFile::encodeName(m_dir.path()));
        QString connection;
        QCOMPARE(testing::errorNumberOf([&] { connection = Database().connectionString(); }), 0);
        QCOMPARE(connection, "Data Source=" + m_dir.path() + QStringLiteral("/Velantis/QRVCOM+/Database/NewDB.sqlite"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(DatabaseTest)
#include "tst_database.moc"
