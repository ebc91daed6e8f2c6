// Several sessions on one store, each in a process of its own (store_writer,
// the host) or in this one (the dialog): saves at once all succeed and none is
// lost, a save over someone else's newer one (another process's, or another
// rules object's on the same connection) is refused through the dialog,
// the change history holds exactly the changes made, and a database of
// another application is refused untouched. On SQLite, and on PostgreSQL when
// the test environment names a server.
#include "FormActions.h"
#include "LabStore.h"
#include "Rig.h"
#include "StoreBackend.h"

#include "partition_settings/dialog/GUI.h"
#include "partition_settings/rules/Busyness_Rules.h"

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>

using namespace testing;

namespace {

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
        fillLab(*store, {1, 10, 11, 12, 13}); // 1 counted up by all, 10 + w by writer w alone
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

    // The dialog loads partition 5, then another process, or another rules
    // object on the same store connection, loads and saves it: the dialog's
    // Apply is refused with the message and writes nothing; the history (as
    // the host prints it) holds the other's change alone.
    void lostUpdateRefusedAndHistory_data()
    {
        QTest::addColumn<bool>("process");
        QTest::newRow("another process") << true;
        QTest::newRow("another rules object") << false;
    }
    void lostUpdateRefusedAndHistory()
    {
        QFETCH(bool, process);
        const FreshLocation fresh;
        Rig rig(server::ReferenceStore::Seeding::SchemaOnly, fresh.location);
        fillLab(*rig.store, {5});
        Busyness_Rules rules(rig.factory), theirs(rig.factory);
        if (!process)
            theirs.Shown(7, 5, "");
        rig.ui.runner.script = [&](QDialog &) {
            if (process)
                QCOMPARE(run(STORE_WRITER_EXE, {fresh.location, "save", "5", "Theirs"}), QStringLiteral("0||"));
            else
                QVERIFY(theirs.Update_Partition("Theirs", "4321", "FRENCH", "4", "600", "NOOP", "IGNORE", "0", "0", "0",
                                                "1"));
            rig.ui.boxes.expect(ui::Answer::OK);
            act(*GUI::instance(), "txtPartitionName=Mine, cmdApply");
            QVERIFY(GUI::instance()->cmdApply->isEnabled());
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
    // one line, exit status 2, and writes nothing to it. Printing the history
    // of a location without a store says so and creates nothing there.
    void notAStoreIsLeftAlone_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<bool>("foreign"); // holds a table Orders with one row
        QTest::addColumn<QString>("refusal");
        QTest::newRow("another application's database") << "--no-sample" << true
            << "the database \"$DB\" holds tables of another application; it was left as it is (name an empty "
               "database or a store of Partition Settings)";
        QTest::newRow("the history of no store") << "--history" << false
            << (onPostgres() ? "the database \"$DB\" holds no store" : "there is no store \"$DB\"");
    }
    void notAStoreIsLeftAlone()
    {
        QFETCH(QString, arguments);
        QFETCH(bool, foreign);
        QFETCH(QString, refusal);
        const FreshLocation fresh; // on SQLite, a connection before the run would make the file
        QVERIFY(!foreign || (QSqlQuery(fresh.connection()).exec("CREATE TABLE Orders (Number INTEGER)")
                             && QSqlQuery(fresh.connection()).exec("INSERT INTO Orders VALUES (42)")));
        const QString output = run(PARTITION_SETTINGS_EXE, {"--store", fresh.location, arguments});
        QCOMPARE(QString(output).replace(fresh.databaseName, "$DB"), "2||partition-settings: " + refusal + "\n");
        QSqlQuery query(fresh.connection());
        QVERIFY(!foreign || (query.exec("SELECT COUNT(*) FROM Orders") && query.next() && query.value(0).toInt() == 1));
        QVERIFY(!query.exec("SELECT 1 FROM Partitions"));
    }
};

QTEST_MAIN(ConcurrencyTest)
#include "tst_concurrency.moc"
