// Saves as units of work, on SQLite and on PostgreSQL: an Apply killed between
// its partition row and its node rows leaves the partition as it was, and one
// let go lands whole; a refused node row keeps what was sent before it and
// sends nothing after; a unit begun to end at its first refusal refuses
// every write after it and its commit, and so does any unit whose refusal
// took the store's transaction with it; a partition whose read fails is never written; a
// rolled-back save moves none of the session's loaded revisions; the setup
// writes refuse what no answer can carry. On SQLite, readers
// get their answers while another process holds the write lock, and a write
// then fails after its wait.
#include "FormActions.h"
#include "LabStore.h"
#include "Rig.h"
#include "StoreBackend.h"

#include "partition_settings/dialog/GUI.h"
#include "partition_settings/rules/Busyness_Rules.h"
#include "server/ServerErrors.h"

#include <QProcess>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace testing;
using Seeding = server::ReferenceStore::Seeding;

namespace {

// The Lab configuration with partitions 0, 1 and 5.
void fill(server::ReferenceStore &store) { fillLab(store, {0, 1, 5}); }

// The partition's name, its maxima of node types 1 to 4, its revision and
// the count of its history rows.
QString stored(const server::ReferenceStore &store, qint16 partition)
{
    QStringList values = {store.partitionSettings(7, partition).Fields(2).toText()};
    RecordSet maxima = store.nodeMaxima(7, partition);
    for (int type = 1; type <= 4; ++type, maxima.MoveNext())
        values << maxima.Fields(3).toText();
    return values.join(' ') + QStringLiteral(" r%1 h%2").arg(store.revision(7, partition)).arg(store.history(7, partition).size());
}

// Makes the store's own trigger refuse every update of a node type 3 maximum;
// on SQLite the refusal can take the whole transaction with it, as a full
// disk or an I/O error may, or the transaction can be lost after a refusal
// that failed alone, outside any write.
enum class Refusing { Statement, Transaction, StatementThenTransactionLost };
void refuseNodeType3(QSqlDatabase connection, Refusing refusing = Refusing::Statement)
{
    const QStringList trigger =
        onPostgres()
            ? QStringList{"CREATE FUNCTION refuse_type_3() RETURNS trigger LANGUAGE plpgsql AS "
                          "$$ BEGIN RAISE EXCEPTION 'type 3 refused'; END $$",
                          "CREATE TRIGGER refuse_type_3 BEFORE UPDATE ON NodeTypeMaxima FOR EACH ROW WHEN "
                          "(NEW.NodeType_ID = 3) EXECUTE FUNCTION refuse_type_3()"}
            : QStringList{"CREATE TRIGGER refuse_type_3 BEFORE UPDATE ON NodeTypeMaxima WHEN NEW.NodeType_ID = 3 "
                          "BEGIN SELECT RAISE(" + QString(refusing == Refusing::Transaction ? "ROLLBACK" : "ABORT") +
                              ", 'type 3 refused'); END"};
    QSqlQuery query(connection);
    for (const QString &statement : trigger)
        QVERIFY2(query.exec(statement), qPrintable(query.lastError().text()));
}

// Plays the user who names partition 5 "Mine", sets the first node maxima
// to 7 and clicks Apply.
void editAndApply(int nodeRows)
{
    QString steps = "txtPartitionName=Mine, ";
    for (int row = 0; row < nodeRows; ++row)
        steps += QStringLiteral("txtNode(%1)=7, ").arg(row);
    act(*GUI::instance(), steps + "cmdApply");
}

} // namespace

class TransactionsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { skipWithoutServer(); }

    void interruptedApply_data()
    {
        QTest::addColumn<bool>("letGo");
        QTest::addColumn<QString>("after");
        QTest::newRow("killed between the partition row and the node rows") << false << "Lab 999 999 999 999 r1 h0";
        QTest::newRow("let go") << true << "Mine 7 999 999 999 r2 h6";
    }
    void interruptedApply()
    {
        QFETCH(bool, letGo);
        QFETCH(QString, after);
        const FreshLocation fresh;
        const auto store = server::ReferenceStore::open(fresh.location, Seeding::SchemaOnly);
        fill(*store);
        QProcess host;
        host.start(APPLY_PROCESS_EXE, {fresh.location});
        QVERIFY(host.waitForReadyRead(60000));
        QCOMPARE(host.readLine(), QByteArray("held\n"));
        if (letGo) {
            host.write("\n");
            QVERIFY(host.waitForFinished(60000));
            QCOMPARE(host.exitCode(), 0);
        } else {
            host.kill(); // SIGKILL
            QVERIFY(host.waitForFinished(60000));
        }
        QCOMPARE(stored(*store, 5), after);
    }

    // The store's own trigger refuses the maximum of node type 3: the Apply
    // reports it, and the name and the maxima of types 1 and 2 stay written
    // while type 4's is never sent.
    void refusedNodeRowKeepsWhatWasSent()
    {
        const FreshLocation fresh;
        Rig rig(Seeding::SchemaOnly, fresh.location);
        fill(*rig.store);
        refuseNodeType3(fresh.connection());
        Busyness_Rules rules(rig.factory);
        rig.ui.boxes.expect(ui::Answer::OK);
        rig.ui.runner.script = [](QDialog &) { editAndApply(4); };
        rules.Shown(7, 5, "");
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
        QVERIFY(rig.ui.boxes.shown().constFirst().text.contains("for node type 3 in partition 5 of configuration 7"));
        QVERIFY(rig.ui.boxes.shown().constFirst().text.contains("type 3 refused"));
        QCOMPARE(stored(*rig.store, 5), QStringLiteral("Mine 7 7 999 999 r2 h3"));
    }

    void unitsAfterARefusal_data()
    {
        QTest::addColumn<bool>("endsUnit");
        QTest::addColumn<Refusing>("refusing");
        QTest::addColumn<QString>("afterRefusal"); // what the next write says; "" when it goes through
        QTest::addColumn<QString>("commit");       // what the commit says
        QTest::addColumn<QString>("after");
        QTest::newRow("the refusal fails alone")
            << false << Refusing::Statement << "" << "" << "Lab 999 7 999 7 r2 h2";
        QTest::newRow("the refusal ends the unit") << true << Refusing::Statement << "so it can only be rolled back"
                                                   << "so it was rolled back whole" << "Lab 999 999 999 999 r1 h0";
        // PostgreSQL never ends a transaction on its own: an error leaves it
        // to be rolled back to its savepoint, and a lost connection fails
        // every later statement.
        if (!onPostgres()) {
            QTest::newRow("the refusal takes the transaction")
                << false << Refusing::Transaction << "so it can only be rolled back" << "so it was rolled back whole"
                << "Lab 999 999 999 999 r1 h0";
            QTest::newRow("the transaction is lost after the refusal")
                << false << Refusing::StatementThenTransactionLost << "so it can only be rolled back"
                << "so it was rolled back whole" << "Lab 999 999 999 999 r1 h0";
        }
    }
    // Node maxima of types 2, 3 (refused by the store) and 4 in one unit,
    // then its commit: a unit begun to end at its first refusal refuses the
    // write after it and the commit, and leaves the partition as it was.
    void unitsAfterARefusal()
    {
        QFETCH(bool, endsUnit);
        QFETCH(Refusing, refusing);
        QFETCH(QString, afterRefusal);
        QFETCH(QString, commit);
        QFETCH(QString, after);
        const FreshLocation fresh;
        Rig rig(Seeding::SchemaOnly, fresh.location);
        fill(*rig.store);
        refuseNodeType3(fresh.connection(), refusing);
        const std::unique_ptr<UnitOfWork> unit = rig.factory.createUnitOfWork();
        const auto nodes = rig.factory.createByProgId<QRVud::UDNODES>(QRVud::UDNODES::ProgID);
        const auto write = [&](const char *type) -> QString {
            try {
                nodes->Update_Node_Type_Max_Record({"7", "5", type, "7"});
                return {};
            } catch (const rt::RuntimeError &error) {
                return error.description();
            }
        };
        unit->enter();
        unit->begin(endsUnit ? UnitOfWork::Refusal::EndsUnit : UnitOfWork::Refusal::FailsAlone);
        QCOMPARE(write("2"), QString());
        const QString refused = write("3");
        QVERIFY2(refused.contains("type 3 refused"), qPrintable(refused));
        if (refusing == Refusing::StatementThenTransactionLost)
            QVERIFY(QSqlQuery(rig.store->database()).exec("ROLLBACK"));
        const QString fourth = write("4");
        QVERIFY2(afterRefusal.isEmpty() ? fourth.isEmpty() : fourth.contains(afterRefusal), qPrintable(fourth));
        QString committed;
        try {
            unit->commit();
        } catch (const rt::RuntimeError &error) {
            committed = error.description();
        }
        unit->leave();
        QVERIFY2(commit.isEmpty() ? committed.isEmpty() : committed.contains(commit), qPrintable(committed));
        QCOMPARE(stored(*rig.store, 5), after);
    }

    // A name that no answer can carry makes the settings read fail: the
    // showing records the error and changes nothing, in no row, revision or
    // history row.
    void failedReadWritesNothing()
    {
        const FreshLocation fresh;
        Rig rig(Seeding::SchemaOnly, fresh.location);
        fill(*rig.store);
        QSqlQuery query(fresh.connection());
        QVERIFY(query.prepare("UPDATE Partitions SET Name = ? WHERE Config_ID = 7 AND PartitionID = 1"));
        query.addBindValue(QStringLiteral("Bad\x01"));
        QVERIFY(query.exec());
        const auto count = [&](const char *table) {
            QSqlQuery rows(fresh.connection());
            rows.exec(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE Config_ID = 7 AND PartitionID = 1").arg(table));
            return rows.next() ? rows.value(0).toInt() : -1;
        };
        Busyness_Rules rules(rig.factory);
        rig.ui.boxes.expect(ui::Answer::OK);
        QVERIFY(!rules.Shown(7, 1, "").asBoolean());
        QVERIFY(rules.ErrDescription().contains("U+0001"));
        QCOMPARE(QList<int>({count("Partitions"), count("NodeTypeMaxima"), count("ChangeHistory"),
                             rig.store->revision(7, 1)}),
                 QList<int>({1, 20, 0, 1}));
    }

    // A session's save inside a transaction that is rolled back moves none of
    // its notes: after someone else's save, its older view is still refused.
    void rolledBackSaveMovesNoNote()
    {
        const FreshLocation fresh;
        const auto store = server::ReferenceStore::open(fresh.location, Seeding::SchemaOnly);
        fill(*store);
        server::StoreSession mine;
        server::PartitionRow row{7, 5, "Mine", "4321", "FRENCH", "4", 600, "NOOP", "IGNORE", 0, 0, 0, 1};
        store->enter(mine);
        store->loadPartitionSettings(7, 5);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, store->inTransaction([&] {
            store->savePartition(row, server::ReferenceStore::Writer::Session);
            throw std::runtime_error("a later write failed");
        }));
        store->leave(mine);
        row.name = "Theirs";
        store->savePartition(row, server::ReferenceStore::Writer::Session);
        store->enter(mine);
        row.name = "Mine";
        try {
            store->savePartition(row, server::ReferenceStore::Writer::Session);
            QFAIL("the older view was saved");
        } catch (const server::StoreError &e) {
            QCOMPARE(e.number(), server::kChangedByOthers);
        }
        store->leave(mine);
        QCOMPARE(stored(*store, 5), QStringLiteral("Theirs 999 999 999 999 r2 h1"));
    }

    // One row a setup write; which characters no answer can carry is the
    // rowset's own test.
    void setupWritesRefuse_data()
    {
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("node type") << "node type" << QString(QChar(0)) << "the control character U+0000";
        QTest::newRow("configuration") << "configuration" << QStringLiteral("\x1f") << "the control character U+001F";
        QTest::newRow("partition") << "partition" << QString(QChar(0xFFFF)) << "the noncharacter U+FFFF";
    }
    void setupWritesRefuse()
    {
        QFETCH(QString, write);
        QFETCH(QString, text);
        QFETCH(QString, named);
        const FreshLocation fresh;
        const auto store = server::ReferenceStore::open(fresh.location, Seeding::SchemaOnly);
        fill(*store);
        try {
            if (write == "node type")
                store->addNodeTypeRow({30, text, "x"});
            else if (write == "configuration")
                store->addConfiguration({8, text, "North", 1, "Sys", 2});
            else
                store->insertPartition({7, 9, "Name", "4321", text, "4", 600, "NOOP", "IGNORE", 0, 0, 0, 1});
            QFAIL("stored");
        } catch (const server::StoreError &e) {
            QVERIFY2(e.reason().contains(named + ", which no answer can carry"), qPrintable(e.reason()));
        }
        QCOMPARE(store->nodeTypes().rows().size(), 20);
        QCOMPARE(store->configurations().rows().size(), 1);
        QCOMPARE(store->partitions(7).rows().size(), 3);
    }

    // Another process holds the write lock of a SQLite store: a host opens
    // partition 1 read-only and answers; only a rollback journal's exclusive
    // lock keeps it out, and it then says so. A write fails after its wait,
    // and at once while the lock stays held.
    void readersDoNotWaitForAWriter_data()
    {
        QTest::addColumn<QString>("journal");
        QTest::addColumn<QString>("begin");
        QTest::addColumn<bool>("readable");
        QTest::newRow("WAL, immediate") << "WAL" << "BEGIN IMMEDIATE" << true;
        QTest::newRow("WAL, exclusive") << "WAL" << "BEGIN EXCLUSIVE" << true;
        QTest::newRow("rollback journal, immediate") << "DELETE" << "BEGIN IMMEDIATE" << true;
        QTest::newRow("rollback journal, exclusive") << "DELETE" << "BEGIN EXCLUSIVE" << false;
    }
    void readersDoNotWaitForAWriter()
    {
        if (onPostgres())
            QSKIP("a SQLite store's write lock");
        QFETCH(QString, journal);
        QFETCH(QString, begin);
        QFETCH(bool, readable);
        const FreshLocation fresh;
        fill(*server::ReferenceStore::open(fresh.location, Seeding::SchemaOnly));
        QSqlQuery holder(fresh.connection());
        QVERIFY(holder.exec("PRAGMA journal_mode=" + journal) && holder.exec(begin)
                && holder.exec("UPDATE Partitions SET Name = 'Held' WHERE PartitionID = 5"));

        QProcess host;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VELANTIS_COMMON_APPDATA", fresh.dir.path());
        environment.insert("VELANTIS_REGISTRY_FILE", fresh.dir.filePath("registry.json"));
        host.setProcessEnvironment(environment);
        host.start(PARTITION_SETTINGS_EXE, {"--register"});
        QVERIFY(host.waitForFinished(50000) && host.exitCode() == 0);
        host.start(PARTITION_SETTINGS_EXE, {"--store", fresh.location, "--config", "7", "--partition", "1",
                                            "--menu-option", "r", "--screenshot", fresh.dir.filePath("shot.png")});
        QVERIFY(host.waitForFinished(50000)); // the lock is held all along: an answer means no wait for it
        const QString output = host.readAllStandardError();
        QCOMPARE(host.exitCode() == 0, readable);
        QCOMPARE(output.contains("database is locked"), !readable);
        if (!readable)
            return;

        const auto store = server::ReferenceStore::open(fresh.location, Seeding::Existing);
        store->setWriteWait(300);
        const server::PartitionRow row{7, 1, "Mine", "4321", "FRENCH", "4", 600, "NOOP", "IGNORE", 0, 0, 0, 1};
        for (const char *waited : {" (waited 0.3 s)", ""}) {
            try {
                store->savePartition(row);
                QFAIL("written");
            } catch (const server::StoreError &e) {
                QCOMPARE(e.reason(), QStringLiteral("the store \"%1\" is locked by another writer%2; nothing was written")
                                         .arg(fresh.databaseName, waited));
            }
        }
    }
};

QTEST_MAIN(TransactionsTest)
#include "tst_transactions.moc"
