// Several sessions on one store, each in a process of its own (store_writer,
// the host) or in this one (the dialog): saves at once all succeed and none is
// lost, a save over someone else's newer one is refused through the dialog,
// the change history holds exactly the changes made, and a database of
// another application is refused untouched. On SQLite, and on PostgreSQL when
// the test environment names a server.
#include "Rig.h"
#include "StoreBackend.h"

#include "partition_settings/dialog/GUI.h"
#include "partition_settings/rules/Busyness_Rules.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>

using namespace testing;

namespace {

// Configuration 7 in use, node types 1 to 20, partitions 0, 1 "Shared", 5 and
// 10 to 13 with a maximum of 999 for every node type.
void fill(server::ReferenceStore &store)
{
    store.addConfiguration({7, "Lab", "North", 1, "Sys", 2});
    store.setConfigurationInUse(7);
    for (qint16 type = 1; type <= 20; ++type)
        store.addNodeTypeRow({type, QString::number(type), QString::number(type)});
    for (qint16 partition : {0, 1, 5, 10, 11, 12, 13}) {
        store.insertPartition({7, partition, partition == 1 ? "Shared" : "Lab", "4321", "FRENCH", "4", 600, "NOOP",
                               "IGNORE", 0, 0, 0, 1});
        for (qint16 type = 1; type <= 20; ++type)
            store.insertNodeMax({7, partition, type, 999});
    }
}

// Runs a program to its end: "<exit status>|<stdout>|<stderr>".
QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(600000);
    return QString::number(process.exitCode()) + u'|' + process.readAllStandardOutput() + u'|'
           + QString(process.readAllStandardError()).remove(QRegularExpression("QStandardPaths:[^\n]*\n"));
}

} // namespace

class ConcurrencyTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { skipWithoutServer(); }

    // Four writers save their own partition 200 times (refusing one of them
    // would fail its writer) and count a shared one up 200 times each: every
    // count and every change is there.
    void concurrentSaves()
    {
        const FreshLocation fresh;
        auto store = server::ReferenceStore::open(fresh.location, server::ReferenceStore::Seeding::SchemaOnly);
        fill(*store);
        QProcess writers[4];
        for (int w = 0; w < 4; ++w)
            writers[w].start(STORE_WRITER_EXE, {fresh.location, "saves", QString::number(w), "200"});
        for (QProcess &writer : writers)
            QVERIFY(writer.waitForFinished(600000) && writer.exitCode() == 0 && writer.readAll().startsWith("refused "));
        QCOMPARE(store->partitionSettings(7, 1).Fields(9).toText(), QStringLiteral("800"));
        QCOMPARE(store->history(7, 1).size(), 800);
        for (qint16 w = 0; w < 4; ++w) {
            QCOMPARE(store->partitionSettings(7, 10 + w).Fields(2).toText(), QStringLiteral("Writer %1 save 199").arg(w));
            QCOMPARE(store->nodeMaxima(7, 10 + w).Fields(3).toText(), QStringLiteral("394")); // type 1: (199 * 7 + 1) % 1000
            QCOMPARE(store->history(7, 10 + w).size(), 200 * 21);
        }
    }

    // The dialog loads partition 5, another process loads and saves it, then
    // the dialog's Apply is refused with the message and writes nothing; the
    // history (as the host prints it) holds the other process's change alone.
    void lostUpdateRefusedAndHistory()
    {
        const FreshLocation fresh;
        Rig rig(Rig::DataFolder::Present, server::ReferenceStore::Seeding::SchemaOnly, fresh.location);
        fill(*rig.store);
        Busyness_Rules rules(rig.factory);
        rig.ui.runner.script = [&](QDialog &) {
            QCOMPARE(run(STORE_WRITER_EXE, {fresh.location, "save", "5", "Theirs"}), QStringLiteral("0||"));
            GUI &form = *GUI::instance();
            form.txtPartitionName->selectAll();
            QTest::keyClicks(form.txtPartitionName, "Mine");
            rig.ui.boxes.expect(ui::Answer::OK);
            QTest::mouseClick(form.cmdApply, Qt::LeftButton);
            QVERIFY(form.cmdApply->isEnabled());
            rig.ui.boxes.expect(ui::Answer::No); // closing: do not save
        };
        rules.Shown(7, 5, "", 1, false, true);
        QCOMPARE(rig.ui.boxes.shown().size(), 2);
        QCOMPARE(rig.ui.boxes.shown().constFirst().text,
                 QStringLiteral("QRVud.UDCONFIG:Update_Partition:Partition 5 was changed by another user after you "
                                "opened it. Your changes were not saved. To see theirs, move to another partition and "
                                "answer No, or close and open it again.\r\n"
                                "Partition Settings"));
        QCOMPARE(rig.store->partitionSettings(7, 5).Fields(2).toText(), QStringLiteral("Theirs"));

        QCOMPARE(run(PARTITION_SETTINGS_EXE, {"--store", fresh.location, "--history", "--config", "7"})
                     .replace(QRegularExpression(" {2,}"), " ").replace(QRegularExpression("\n20\\S+Z \\S+ \\S+ "), "\nTIME USER HOST "),
                 "0|Time (UTC) User Host Config Partition Value Old New\nTIME USER HOST 7 5 Name Lab Theirs\n|");
    }

    // A database holding a table of something else: the host refuses it in
    // one line, exit status 2, and writes nothing to it.
    void foreignDatabaseRefused()
    {
        const FreshLocation fresh;
        QSqlQuery query(fresh.connection());
        QVERIFY(query.exec("CREATE TABLE Orders (Number INTEGER)") && query.exec("INSERT INTO Orders VALUES (42)"));
        QCOMPARE(run(PARTITION_SETTINGS_EXE, {"--store", fresh.location, "--no-sample"}).replace(fresh.databaseName, "$DB"),
                 QStringLiteral("2||partition-settings: the database \"$DB\" holds tables of another application; it "
                                "was left as it is (name an empty database or a store of Partition Settings)\n"));
        QVERIFY(query.exec("SELECT COUNT(*) FROM Orders") && query.next() && query.value(0).toInt() == 1);
        QVERIFY(!query.exec("SELECT 1 FROM Partitions"));
    }

    // Printing the history of a location without a store says so, exit
    // status 2, and creates nothing there.
    void historyOfNoStoreCreatesNone()
    {
        const FreshLocation fresh;
        const QString expected = testing::onPostgres() ? "the database \"$DB\" holds no store" : "there is no store \"$DB\"";
        QCOMPARE(run(PARTITION_SETTINGS_EXE, {"--store", fresh.location, "--history"}).replace(fresh.databaseName, "$DB"),
                 "2||partition-settings: " + expected + "\n");
        QVERIFY(!QSqlQuery(fresh.connection()).exec("SELECT 1 FROM Partitions"));
    }
};

QTEST_MAIN(ConcurrencyTest)
#include "tst_concurrency.moc"
