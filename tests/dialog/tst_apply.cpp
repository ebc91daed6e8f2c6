// Saving and closing on the real dialog: what Apply sends to the store and
// shows afterwards, the access-code and name refusals, the question on every
// way of closing, and two whole edits saved and read back as a user does it.
#include "DialogRig.h"

#include "dialog/GUI.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace testing;

class ApplyTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { GUI::unload(); }

    // Partition 1 "Alpha" loads code 1111, PLAY with message number 2, a
    // recording time of 2:00, a time limit of 1:30 and selection limit 2.
    void saving_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("after");  // recording min, sec, limit min, sec; Apply, window shown
        QTest::addColumn<QString>("stored"); // name, code, limit, recording, message, selection, node; list reads
        const QString kept = "Alpha 1111 90 120 2 2 4 0";
        QTest::newRow("four digits; PLAY sends the typed number") << "txtAccessCode=1234, txtMSGCmd=3, cmdApply"
            << QStringList{} << "02|00|01|30|0|1" << "Alpha 1234 90 120 3 9 42 1";
        QTest::newRow("2:05 is 125 and shows 05; NOOP sends the loaded number")
            << "txtTimeLimitMin=2, txtTimeLimitSec=5, cboCommand=0, cmdApply" << QStringList{} << "02|00|2|05|0|1"
            << "Alpha 1111 125 120 2 9 42 1";
        QTest::newRow("empty boxes show 00 and send 0")
            << "txtRecTimeMin=, txtRecTimeSec=, txtTimeLimitMin=, txtTimeLimitSec=, cmdApply" << QStringList{}
            << "00|00|00|00|0|1" << "Alpha 1111 0 0 2 9 42 1";
        QTest::newRow("three digits are too few") << "txtAccessCode=123, cmdApply" << QStringList{"few"}
                                                  << "02|00|01|30|1|1" << kept;
        QTest::newRow("an empty code is too short") << "txtAccessCode=, cmdApply" << QStringList{"few"}
                                                    << "02|00|01|30|1|1" << kept;
        QTest::newRow("a refused name") << "txtPartitionName=Bad \"one\", cmdApply" << QStringList{"quotes"}
                                        << "02|00|01|30|1|1" << kept;
        QTest::newRow("OK with nothing pending") << "cmdOK" << QStringList{} << "02|00|01|30|0|0" << kept;
        QTest::newRow("OK saves") << "txtAccessCode=4321, cmdOK" << QStringList{} << "02|00|01|30|0|0"
                                  << "Alpha 4321 90 120 2 9 42 1";
        QTest::newRow("OK with a short code") << "txtAccessCode=12, cmdOK" << QStringList{"few"} << "02|00|01|30|1|1"
                                              << kept;
        QTest::newRow("OK with a refused name") << "txtPartitionName=O''Neil, cmdOK" << QStringList{"quotes"}
                                                << "02|00|01|30|1|1" << kept;
        QTest::newRow("Cancel, Yes") << "cmdCancel" << QStringList{"close Yes"} << "02|00|01|30|0|0"
                                     << "Alpha 1111 90 120 2 9 42 1";
        QTest::newRow("Cancel, Yes with a short code") << "txtAccessCode=123, cmdCancel"
                                                       << QStringList{"close Yes", "few"} << "02|00|01|30|1|1" << kept;
        QTest::newRow("Cancel, No") << "cmdCancel" << QStringList{"close No"} << "02|00|01|30|1|0" << kept;
        QTest::newRow("Cancel, Cancel") << "cmdCancel" << QStringList{"close Cancel"} << "02|00|01|30|1|1" << kept;
        QTest::newRow("close button, No") << "close" << QStringList{"close No"} << "02|00|01|30|1|0" << kept;
        QTest::newRow("Escape asks too") << "Esc" << QStringList{"close Cancel"} << "02|00|01|30|1|1" << kept;
    }
    void saving()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, boxes);
        QFETCH(QString, after);
        QFETCH(QString, stored);
        DialogRig rig;
        const QStringList expected = rig.expect(boxes);
        QVERIFY(rig.show(3, 1, QString(), [&](GUI &form) {
            rig.listReads = 0;
            if (steps != QLatin1String("cmdOK"))
                act(form, QStringLiteral("cboSelectionLimit=9, txtNode(0)=42"));
            act(form, steps);
            QCOMPARE(shown(form, "txtRecTimeMin txtRecTimeSec txtTimeLimitMin txtTimeLimitSec cmdApply shown"), after);
            const bool handedBack = form.focusWidget() == form.txtAccessCode
                                    && form.txtAccessCode->selectedText() == form.txtAccessCode->text();
            QCOMPARE(handedBack, boxes.contains("few"));
            QCOMPARE(rig.boxes(), expected);
            if (form.isVisible())
                rig.ui.boxes.expect(ui::Answer::No); // the runner closes the dialog after the script
        }));
        QStringList values;
        for (const char *field : {"Name", "PartitionAccessCode", "TimeLimit", "TotalRecTime", "MSGNo", "SelectLimit"})
            values << rig.stored(1, field);
        values << QString::number(rig.storedMaximum(1, 0)) << QString::number(rig.listReads);
        QCOMPARE(values.join(' '), stored);
    }

    // A whole edit saved by OK, or by Yes to the question of a Next move, and
    // read back in a second showing.
    void editsSurviveReopening_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("OK") << "cmdOK" << QStringList{};
        QTest::newRow("Yes before Next") << "cmdNext, cmdCancel" << QStringList{"Yes"};
    }
    void editsSurviveReopening()
    {
        QFETCH(QString, way);
        QFETCH(QStringList, boxes);
        DialogRig rig;
        const QStringList expected = rig.expect(boxes);
        QVERIFY(rig.show(3, 1, QString(), [&](GUI &form) {
            act(form, "txtPartitionName=Harbour Master, txtTimeLimitMin=2, txtTimeLimitSec=05, txtNode(1)=42, " + way);
            QVERIFY(!form.isVisible());
        }));
        QCOMPARE(rig.boxes(), expected);
        QString reopened;
        QVERIFY(rig.show(3, 1, QString(), [&](GUI &form) {
            reopened = shown(form, "txtPartitionName txtTimeLimitMin txtTimeLimitSec txtNode(1)");
        }));
        QCOMPARE(reopened, QStringLiteral("Harbour Master|02|05|42"));
        QCOMPARE(rig.stored(1, "TimeLimit"), QStringLiteral("125"));
    }
};

QTEST_MAIN(ApplyTest)
#include "tst_apply.moc"
