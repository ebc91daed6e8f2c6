// The local database definition against a small SQLite database made by the
// test: the update binds its four parameters in their order, the message-type
// command returns a configuration's settings rows, and the connection is
// made only when a command first runs.
#include "ScopedEnvironment.h"
#include "RaisedErrors.h"
#include "core/RuntimeError.h"
#include "data/Database.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

const QString kSetupConnection = QStringLiteral("tst_database.setup");

// Runs `use` on a connection of the test's own to the file.
void withConnection(const QString &file, const std::function<void(QSqlDatabase &)> &use)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kSetupConnection);
        db.setDatabaseName(file);
        if (db.open())
            use(db);
    }
    QSqlDatabase::removeDatabase(kSetupConnection);
}

// Runs statements; the first that fails is named in `failure`.
bool runAll(const QString &file, const QStringList &statements, QString *failure)
{
    *failure = QStringLiteral("cannot open ") + file;
    withConnection(file, [&](QSqlDatabase &db) {
        failure->clear();
        QSqlQuery query(db);
        for (const QString &statement : statements)
            if (failure->isEmpty() && !query.exec(statement))
                *failure = statement + QStringLiteral(": ") + query.lastError().text();
    });
    return failure->isEmpty();
}

// "Config_ID,PartitionID,NodeType_ID=Max_Number" for every row, in a fixed order.
QStringList nodeMaxima(const QString &file)
{
    QStringList rows;
    withConnection(file, [&](QSqlDatabase &db) {
        QSqlQuery query(QStringLiteral("SELECT Config_ID, PartitionID, NodeType_ID, Max_Number FROM Node_Type_Max "
                                       "ORDER BY Config_ID, PartitionID, NodeType_ID"),
                        db);
        while (query.next())
            rows << QStringLiteral("%1,%2,%3=%4").arg(query.value(0).toString(), query.value(1).toString(),
                                                      query.value(2).toString(), query.value(3).toString());
    });
    return rows;
}

} // namespace

class DatabaseTest : public QObject
{
    Q_OBJECT

private slots:
    // A database in which every order of three distinct keys names a row, so
    // that keys bound in any wrong order update some other row.
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_file = m_dir->filePath(QStringLiteral("NewDB.sqlite"));
        QStringList statements{
            QStringLiteral("CREATE TABLE Node_Type_Max (Config_ID INTEGER, PartitionID INTEGER, "
                           "NodeType_ID INTEGER, Max_Number INTEGER)"),
            QStringLiteral("CREATE TABLE QRVSettings (ConfigID INTEGER, MsgType INTEGER, Name TEXT)"),
            QStringLiteral("INSERT INTO QRVSettings VALUES (1, 2, 'first'), (2, 7, 'second'), (2, 8, 'second b')")};
        const QList<QList<int>> orders{{1, 2, 3}, {1, 3, 2}, {2, 1, 3}, {2, 3, 1}, {3, 1, 2}, {3, 2, 1}};
        for (const auto &keys : orders)
            statements << QStringLiteral("INSERT INTO Node_Type_Max VALUES (%1, %2, %3, 0)")
                              .arg(keys[0]).arg(keys[1]).arg(keys[2]);
        QString failure;
        QVERIFY2(runAll(m_file, statements, &failure), qPrintable(failure));
    }

    void updateNodeTypeMax_data()
    {
        QTest::addColumn<QStringList>("arguments"); // max, config, node type, partition
        QTest::addColumn<QString>("changedRow");    // config,partition,node type=max; empty for none
        QTest::newRow("config 1, partition 3, node type 2") << QStringList{"9", "1", "2", "3"} << "1,3,2=9";
        QTest::newRow("no such row") << QStringList{"4", "4", "4", "4"} << "";
    }
    void updateNodeTypeMax()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, changedRow);
        QStringList expected = nodeMaxima(m_file);
        QCOMPARE(expected.size(), 6);
        if (!changedRow.isEmpty()) {
            const QString key = changedRow.section(u'=', 0, 0);
            const auto at = std::find(expected.begin(), expected.end(), key + QStringLiteral("=0"));
            QVERIFY(at != expected.end());
            *at = changedRow;
        }
        Database database(m_file);
        database.Update_Node_Type_Max(arguments[0], arguments[1], arguments[2], arguments[3]);
        QCOMPARE(nodeMaxima(m_file), expected);
    }

    void msgType_data()
    {
        QTest::addColumn<QString>("configId");
        QTest::addColumn<int>("rows");
        QTest::addColumn<Variant>("msgType");
        QTest::addColumn<int>("error");
        QTest::newRow("one row") << "1" << 1 << Variant::integer(2) << 0;
        QTest::newRow("first of two rows") << "2" << 2 << Variant::integer(7) << 0;
        QTest::newRow("no row") << "3" << 0 << Variant() << 3021;
    }
    void msgType()
    {
        QFETCH(QString, configId);
        QFETCH(int, rows);
        QFETCH(Variant, msgType);
        QFETCH(int, error);
        Database database(m_file);
        Variant value;
        QCOMPARE(testing::errorNumberOf([&] { value = database.GET_MSTTYPE(configId); }), error);
        QCOMPARE(value, msgType);
        QCOMPARE(database.rsGet_MSGTYPE.RecordCount(), rows);
        QCOMPARE(database.rsGet_MSGTYPE.fields().size(), 3); // QRVSettings.* comes whole
        QCOMPARE(database.rsGet_MSGTYPE.fields().at(2).name, QStringLiteral("Name"));
    }

    // Nothing is opened before a command runs; a missing file is refused, not made.
    void connectsOnFirstUse()
    {
        Database database(m_file);
        QVERIFY(!database.isOpen());
        database.Get_MSGTYPE(QStringLiteral("1"));
        QVERIFY(database.isOpen());
    }

    void failingCommand_data()
    {
        QTest::addColumn<bool>("fileMissing");
        QTest::newRow("missing file is refused, not made") << true;
        QTest::newRow("missing table") << false;
    }
    void failingCommand()
    {
        QFETCH(bool, fileMissing);
        QString failure;
        QVERIFY2(runAll(m_file, {QStringLiteral("DROP TABLE QRVSettings")}, &failure), qPrintable(failure));
        const QString file = fileMissing ? m_dir->filePath(QStringLiteral("absent.sqlite")) : m_file;
        Database database(file);
        QCOMPARE(testing::errorNumberOf([&] { database.GET_MSTTYPE(QStringLiteral("1")); }), qint32(-2147467259));
        QCOMPARE(QFile::exists(file), !fileMissing);
    }

    // Without a file of its own the definition uses the data folder's Database folder.
    void defaultFileInDatabaseFolder()
    {
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Velantis/QRVCOM+")));
        ScopedEnvironment shell("VELANTIS_COMMON_APPDATA", QFile::encodeName(m_dir->path()));
        const QString expected = m_dir->path() + QStringLiteral("/Velantis/QRVCOM+/Database/NewDB.sqlite");
        Database database;
        QCOMPARE(database.filePath(), expected);
        QCOMPARE(database.connectionString(), QStringLiteral("Data Source=") + expected);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
};

QTEST_MAIN(DatabaseTest)
#include "tst_database.moc"
