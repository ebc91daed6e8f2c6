// Saving and closing on the real dialog: what Apply shows and saves, the
// access-code and name refusals, the question on every way of closing, each
// checked by opening the partition again as a user would, and in the store.
#include "DialogRig.h"

using namespace testing;
using L = QStringList;

class ApplyTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { GUI::unload(); }

    // Partition 1 "Alpha" loads code 1111, PLAY with message number 2, a
    // recording time of 2:00, a time limit of 1:30, selection limit 2 and a
    // first node maximum of 4. Every row but the first starts by choosing
    // selection limit 9 and typing a first node maximum of 42.
    void saving_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("boxes");
        // Recording min, sec, limit min, sec; Apply enabled, window open; the
        // code's selection when it has the focus, else "-".
        QTest::addColumn<QString>("after");
        // Reopened: name, code, message number, selection limit, node maximum;
        // stored limit and recording seconds; list rebuilds.
        QTest::addColumn<QString>("saved");
        const QString kept = "Alpha|1111|2|2|4|90|120|0", harbour = "Harbour Master|1111|2|9|42|125|120|1";
        const QString open = "02|00|01|30|1|1|-", closed = "02|00|01|30|1|0|-", refused = "02|00|01|30|1|1|";
        const QString edit = "txtPartitionName=Harbour Master, txtTimeLimitMin=2, txtTimeLimitSec=05, ";
        QTest::newRow("OK with nothing pending") << "cmdOK" << L{} << "02|00|01|30|0|0|-" << kept;
        QTest::newRow("4 digits; PLAY: the typed number") << "txtAccessCode=1234, txtMSGCmd=3, cmdApply" << L{}
                                                          << "02|00|01|30|0|1|-" << "Alpha|1234|3|9|42|90|120|1";
        QTest::newRow("2:05 is 125, shows 05; NOOP: the loaded number") << "txtTimeLimitMin=2, txtTimeLimitSec=5, "
            "cboCommand=0, cmdApply" << L{} << "02|00|2|05|0|1|-" << "Alpha|1111|2|9|42|125|120|1";
        QTest::newRow("empty boxes show 00, send 0") << "txtRecTimeMin=, txtRecTimeSec=, txtTimeLimitMin=, "
            "txtTimeLimitSec=, cmdApply" << L{} << "00|00|00|00|0|1|-" << "Alpha|1111|2|9|42|0|0|1";
        QTest::newRow("3 digits are too few") << "txtAccessCode=123, cmdApply" << L{"few"} << refused + "123" << kept;
        QTest::newRow("an empty code too") << "txtAccessCode=, cmdApply" << L{"few"} << refused << kept;
        QTest::newRow("a refused name") << "txtPartitionName=Bad \"one\", cmdApply" << L{"quotes"} << open << kept;
        QTest::newRow("OK saves") << edit + "cmdOK" << L{} << "02|00|2|05|0|0|-" << harbour;
        QTest::newRow("Yes before Next saves") << edit + "cmdNext" << L{"Yes"} << "01|01|00|45|0|1|-" << harbour;
        QTest::newRow("OK with a short code") << "txtAccessCode=12, cmdOK" << L{"few"} << refused + "12" << kept;
        QTest::newRow("OK with a refused name") << "txtPartitionName=O''Neil, cmdOK" << L{"quotes"} << open << kept;
        QTest::newRow("Cancel, Yes") << "cmdCancel" << L{"close Yes"} << "02|00|01|30|0|0|-"
                                     << "Alpha|1111|2|9|42|90|120|1";
        QTest::newRow("Cancel, Yes, too few") << "txtAccessCode=123, cmdCancel" << L{"close Yes", "few"}
                                              << refused + "123" << kept;
        QTest::newRow("Cancel, No") << "cmdCancel" << L{"close No"} << closed << kept;
        QTest::newRow("Cancel, Cancel") << "cmdCancel" << L{"close Cancel"} << open << kept;
        QTest::newRow("close button, No") << "close" << L{"close No"} << closed << kept;
        QTest::newRow("Escape asks too") << "Esc" << L{"close Cancel"} << open << kept;
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
            const bool focused = form.focusWidget() == form.txtAccessCode;
            QCOMPARE(shown(form, "txtRecTimeMin txtRecTimeSec txtTimeLimitMin txtTimeLimitSec cmdApply shown") + '|'
                         + (focused ? form.txtAccessCode->selectedText() : "-"),
                     after);
            QCOMPARE(rig.boxes(), expected);
            if (form.isVisible())
                rig.ui.boxes.expect(ui::Answer::No); // the runner closes the dialog after the script
        }));
        const QString store = QStringLiteral("|%1|%2|%3")
                                  .arg(rig.stored(1, "TimeLimit"), rig.stored(1, "TotalRecTime"))
                                  .arg(rig.listReads);
        QVERIFY(rig.show(3, 1, QString(), [&](GUI &form) {
            QCOMPARE(shown(form, "txtPartitionName txtAccessCode txtMSGCmd cboSelectionLimit txtNode(0)") + store, saved);
        }));
    }
};

QTEST_MAIN(ApplyTest)
#include "tst_apply.moc"
