// Moving between partitions and saving on the real dialog. Moves: the four
// picture buttons and their shortcuts, the partition selector and the
// Defaults button, with the question about unsaved edits, the messages at the
// ends of the list, the button states and read-only access. Saving: what
// Apply shows and saves, the access-code and name refusals, the question on
// every way of closing, each checked by opening the partition again as a
// user would, and in the store.
#include "DialogRig.h"

#include <QSqlQuery>

using namespace testing;
using L = QStringList;

class NavigationTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { GUI::unload(); }

    // Configuration 3 lists 0 Template, 1 Alpha, 4 Bravo, 12 Charlie;
    // configuration 4 only 7 Solo. A first step "drop N ..." removes those
    // partitions from the store, as another administrator would: the list
    // shows it after a save, while the buttons still stand as before.
    void moves_data()
    {
        QTest::addColumn<QString>("open"); // configuration, partition, access
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("boxes");
        // Number, name, position, entry, first node maximum; First, Previous,
        // Next, Last, Defaults, Apply enabled; settings reads; stored selection limit.
        QTest::addColumn<QString>("after");
        const QString alpha = "1|Alpha|2 of 4|1 - Alpha|4|1|1|1|1|";
        const QString bravo = "4|Bravo|3 of 4|4 - Bravo|7|1|1|1|1|1|0|";
        const QString charlie = "12|Charlie|4 of 4|12 - Charlie|15|1|1|0|0|1|0|";
        const QString first = "0|Template|1 of 4|0 - Template|3|0|0|1|1|0|0|2|";
        const QString save = "cboSelectionLimit=8, cmdApply, cboSelectionLimit=9, ";
        const QString stays = "4|Bravo|3 of 4|4 - Bravo|7|1|1|1|1|1|0|0|8"; // saved, then nothing reloaded
        QTest::newRow("Next") << "3 0" << "cmdNext" << L{} << alpha + "1|0|2|5";
        QTest::newRow("Ctrl+PgDown as Next") << "3 0" << "Ctrl+PgDown" << L{} << alpha + "1|0|2|5";
        QTest::newRow("read only: Defaults stay off") << "3 0 r" << "cmdNext" << L{} << alpha + "0|0|2|5";
        QTest::newRow("Next onto the last") << "3 4" << "cmdNext" << L{} << charlie + "2|3";
        QTest::newRow("Previous onto the first") << "3 1" << "cmdPrevious" << L{} << first + "2";
        QTest::newRow("Ctrl+PgUp as Previous") << "3 12" << "Ctrl+PgUp" << L{} << bravo + "2|7";
        QTest::newRow("Ctrl+Home as First") << "3 4" << "Ctrl+Home" << L{} << first + "3";
        QTest::newRow("Ctrl+End as Last") << "3 1" << "Ctrl+End" << L{} << charlie + "2|2";
        QTest::newRow("wheel, selector unfocused") << "3 1" << "wheel cboPartitionNumber" << L{} << alpha + "1|0|0|2";
        QTest::newRow("one partition") << "4 7" << "Ctrl+PgDown" << L{} << "7|Solo|1 of 1|7 - Solo|10|0|0|0|0|1|0|0|";
        QTest::newRow("No: the next one over the edits") << "3 1" << "txtPartitionName=X, cmdNext" << L{"No"}
                                                         << bravo + "2|2";
        QTest::newRow("after a move, a pick of 12 with an edit asks")
            << "3 1" << "cmdNext, cboSelectionLimit=9, cboPartitionNumber=3" << L{"No"} << charlie + "3|2";
        QTest::newRow("Defaults keep number and position") << "3 4" << "cmdViewPartitionDefault" << L{}
                                                           << "4|Template|3 of 4|4 - Bravo|3|1|1|1|1|1|1|1|3";
        QTest::newRow("First on the first asks, stays") << "3 4" << "drop 0 1, " + save + "cmdFirst" << L{"No"}
                                                        << stays;
        QTest::newRow("Next on the last") << "3 4" << "drop 12, " + save + "txtAccessCode=12, cmdNext"
                                          << L{"Yes", "few", "end"} << stays;
        QTest::newRow("Previous on the first") << "3 4" << "drop 0 1, " + save + "txtAccessCode=12, cmdPrevious"
                                               << L{"Yes", "few", "begin"} << stays;
    }
    void moves()
    {
        QFETCH(QString, open);
        QFETCH(QString, steps);
        QFETCH(QStringList, boxes);
        QFETCH(QString, after);
        DialogRig rig;
        const QStringList expected = rig.expect(boxes);
        int reads = 0;
        rig.intercept.partitionSettings = [&](const QString &, const QString &) { // counts reads under the hourglass
            return reads += rig.ui.pointer.screenPointer() == ui::Pointer::Hourglass, QString();
        };
        const QString drop = steps.startsWith(QLatin1String("drop ")) ? steps.section(", ", 0, 0) : QString();
        const qint16 partition = qint16(open.section(' ', 1, 1).toInt());
        QVERIFY(rig.show(qint16(open.section(' ', 0, 0).toInt()), partition, open.section(' ', 2), [&](GUI &form) {
            QSqlQuery(rig.store->database())
                .exec("DELETE FROM Partitions WHERE PartitionID IN (-1" + drop.mid(4).replace(' ', ',') + ")");
            reads = 0;
            act(form, steps.mid(drop.isEmpty() ? 0 : drop.size() + 2));
            QCOMPARE(shown(form, "txtPartitionNumber txtPartitionName txtIDFraction cboPartitionNumber txtNode(0) "
                                 "cmdFirst cmdPrevious cmdNext cmdLast cmdViewPartitionDefault cmdApply")
                         + QStringLiteral("|%1|").arg(reads) + rig.stored(partition, "SelectLimit"),
                     after);
            QCOMPARE(rig.boxes(), expected);
            QCOMPARE(form.cmdNext->toolTip(), QStringLiteral("Next partition (Ctrl+PgDown)")); // also its name
            form.cmdApply->setEnabled(false); // nothing to ask when the dialog closes
        }));
    }

    // Partition 1 "Alpha" loads code 1111, PLAY with message number 2, a
    // recording time of 2:00, a time limit of 1:30, selection limit 2 and a
    // first node maximum of 4. Every row but the first starts by choosing
    // selection limit 9 and typing a first node maximum of 42.
    void saving_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("boxes");
        // Recording min, sec, limit min, sec; Apply enabled, window open; the
        // code's selection when it has the focus, "name" when the name box
        // has it, else "-".
        QTest::addColumn<QString>("after");
        // Reopened: name, code, message number, selection limit, node maximum;
        // stored limit and recording seconds; list rebuilds.
        QTest::addColumn<QString>("saved");
        const QString kept = "Alpha|1111|2|2|4|90|120|0", harbour = "Harbour Master|1111|2|9|42|125|120|1";
        const QString open = "02|00|01|30|1|1|-", closed = "02|00|01|30|1|0|-";
        const QString refused = "02|00|01|30|1|1|", done = "02|00|01|30|0|0|-", atName = refused + "name";
        const QString edit = "txtPartitionName=Harbour Master, txtTimeLimitMin=2, txtTimeLimitSec=05, ";
        QTest::newRow("OK with nothing pending") << "cmdOK" << L{} << done << kept;
        QTest::newRow("4 digits; PLAY: the typed number") << "txtAccessCode=1234, txtMSGCmd=3, cmdApply" << L{}
                                                          << "02|00|01|30|0|1|-" << "Alpha|1234|3|9|42|90|120|1";
        QTest::newRow("2:05 is 125, shows 05; NOOP: the loaded number") << "txtMSGCmd=3, txtTimeLimitMin=2, "
            "txtTimeLimitSec=5, cboCommand=0, cmdApply" << L{} << "02|00|2|05|0|1|-" << "Alpha|1111|2|9|42|125|120|1";
        QTest::newRow("empty boxes show 00, send 0") << "txtRecTimeMin=, txtRecTimeSec=, txtTimeLimitMin=, "
            "txtTimeLimitSec=, cmdApply" << L{} << "00|00|00|00|0|1|-" << "Alpha|1111|2|9|42|0|0|1";
        QTest::newRow("3 digits are too few") << "txtAccessCode=123, cmdApply" << L{"few"} << refused + "123" << kept;
        QTest::newRow("an empty code too") << "txtAccessCode=, cmdApply" << L{"few"} << refused << kept;
        QTest::newRow("a refused name") << "txtPartitionName=Bad \"one\", cmdApply" << L{"quotes"} << atName << kept;
        QTest::newRow("OK saves") << edit + "cmdOK" << L{} << "02|00|2|05|0|0|-" << harbour;
        QTest::newRow("Yes before Next saves") << edit + "cmdNext" << L{"Yes"} << "01|01|00|45|0|1|-" << harbour;
        QTest::newRow("OK with a short code") << "txtAccessCode=12, cmdOK" << L{"few"} << refused + "12" << kept;
        QTest::newRow("OK with a refused name") << "txtPartitionName=O''Neil, cmdOK" << L{"quotes"} << atName << kept;
        QTest::newRow("Cancel, Yes") << "cmdCancel" << L{"close Yes"} << done << "Alpha|1111|2|9|42|90|120|1";
        QTest::newRow("Yes, too few") << "txtAccessCode=1, cmdCancel" << L{"close Yes", "few"} << refused + "1" << kept;
        QTest::newRow("Cancel, No") << "cmdCancel" << L{"close No"} << closed << kept;
        QTest::newRow("Cancel, Cancel") << "cmdCancel" << L{"close Cancel"} << open << kept;
        QTest::newRow("close button, No") << "close" << L{"close No"} << "02|00|01|30|1|0|name" << kept;
        QTest::newRow("Escape asks too") << "Esc" << L{"close Cancel"} << atName << kept;
    }
    void saving()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, boxes);
        QFETCH(QString, after);
        QFETCH(QString, saved);
        DialogRig rig;
        const QStringList expected = rig.expect(boxes);
        QVERIFY(rig.show(3, 1, QString(), [&](GUI &form) {
            rig.listReads = 0;
            act(form, steps == QLatin1String("cmdOK") ? steps : "cboSelectionLimit=9, txtNode(0)=42, " + steps);
            QCOMPARE(shown(form, "txtRecTimeMin txtRecTimeSec txtTimeLimitMin txtTimeLimitSec cmdApply shown") + '|'
                         + (form.focusWidget() == form.txtAccessCode      ? form.txtAccessCode->selectedText()
                            : form.focusWidget() == form.txtPartitionName ? QStringLiteral("name")
                                                                          : QStringLiteral("-")),
                     after);
            QCOMPARE(rig.boxes(), expected);
            if (form.isVisible())
                rig.ui.boxes.expect(ui::Answer::No); // the runner closes the dialog after the script
        }));
        const QString store = '|' + rig.stored(1, "TimeLimit") + '|' + rig.stored(1, "TotalRecTime") + '|'
                              + QString::number(rig.listReads);
        QVERIFY(rig.show(3, 1, QString(), [&](GUI &form) {
            QCOMPARE(shown(form, "txtPartitionName txtAccessCode txtMSGCmd cboSelectionLimit txtNode(0)") + store,
                     saved);
        }));
    }
};

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"
