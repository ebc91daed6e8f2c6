// Saving and closing on the real dialog: what Apply sends to the store and
// shows afterwards, the access-code and name refusals, the question on every
// way of closing, and two whole edits saved and read back as a user does it.
#include "DialogRig.h"

#include "dialog/GUI.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace testing;

namespace {

const QString kTooFew = QStringLiteral("Information: Too few Digits (OK, Information)");
const QString kQuotes = QStringLiteral("Information: Double quotes and continuous single quotes are not allowed in "
                                       "the Partition Name field (OK, Information)");
const QString kQuestion = QStringLiteral("Confirmation: Do you want to save changes? (YesNo, Question)");
const QString kClosing = QStringLiteral("Confirmation: Do you want to save changes? (YesNoCancel, Question)");

// Partition 1 as stored: name, code, time limit, total recording time, message number, selection limit.
const QString kAlphaStored = QStringLiteral("Alpha 1111 90 120 2 2");

QString storedSettings(const DialogRig &rig, qint16 partition)
{
    QStringList values;
    for (const char *field : {"Name", "PartitionAccessCode", "TimeLimit", "TotalRecTime", "MSGNo", "SelectLimit"})
        values << rig.stored(partition, field);
    return values.join(QLatin1Char(' '));
}

QStringList timeBoxes(const GUI &form)
{
    return {form.txtRecTimeMin->text(), form.txtRecTimeSec->text(), form.txtTimeLimitMin->text(),
            form.txtTimeLimitSec->text()};
}

} // namespace

class ApplyTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { GUI::unload(); }

    // Partition 1 loads with the command PLAY and message number 2.
    void applySends_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("times"); // recording min, sec, limit min, sec as typed
        QTest::addColumn<bool>("noop");         // choose NOOP after typing message number 3
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("shownTimes");
        const QStringList typed{"10", "0", "2", "30"};
        QTest::newRow("four digits; 30 stays 30; PLAY sends the typed number")
            << "Renamed" << "1234" << typed << false << QStringList{} << "Renamed 1234 150 600 3 9" << typed;
        QTest::newRow("second 5 shows 05; NOOP sends the loaded number")
            << "Renamed" << "1234" << QStringList{"0", "30", "1", "5"} << true << QStringList{}
            << "Renamed 1234 65 30 2 9" << QStringList{"0", "30", "1", "05"};
        QTest::newRow("empty boxes show 00 and send 0")
            << "Renamed" << "1234" << QStringList{"", "", "", ""} << false << QStringList{}
            << "Renamed 1234 0 0 3 9" << QStringList{"00", "00", "00", "00"};
        QTest::newRow("three digits are too few") << "Renamed" << "123" << typed << false << QStringList{kTooFew}
                                                  << kAlphaStored << typed;
        QTest::newRow("an empty code is too short") << "Renamed" << "" << typed << false << QStringList{kTooFew}
                                                    << kAlphaStored << typed;
        QTest::newRow("a refused name") << "Bad \"one\"" << "1234" << typed << false << QStringList{kQuotes}
                                        << kAlphaStored << typed;
    }
    void applySends()
    {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(QStringList, times);
        QFETCH(bool, noop);
        QFETCH(QStringList, boxes);
        QFETCH(QString, stored);
        QFETCH(QStringList, shownTimes);
        QCOMPARE(times.size(), 4);
        DialogRig rig;
        rig.answer(boxes, {});
        const bool saves = boxes.isEmpty();
        QVERIFY(rig.show(3, 1, QString(), [&](GUI &form) {
            typeInto(form.txtPartitionName, name);
            typeInto(form.txtAccessCode, code);
            const QList<QLineEdit *> timeBoxes{form.txtRecTimeMin, form.txtRecTimeSec, form.txtTimeLimitMin,
                                               form.txtTimeLimitSec};
            for (int i = 0; i < 4; ++i)
                typeInto(timeBoxes.at(i), times.at(i));
            typeInto(form.txtMSGCmd, QStringLiteral("3"));
            if (noop)
                form.cboCommand->setCurrentIndex(0);
            form.cboSelectionLimit->setCurrentIndex(9);
            typeInto(form.txtNode[0], QStringLiteral("42"));
            rig.listReads = 0;
            QTest::mouseClick(form.cmdApply, Qt::LeftButton);
            QCOMPARE(::timeBoxes(form), shownTimes);
            QCOMPARE(ownEnabled(form.cmdApply), !saves);
            const bool handedBack = form.focusWidget() == form.txtAccessCode
                                    && form.txtAccessCode->selectedText() == code;
            QCOMPARE(handedBack, boxes.contains(kTooFew));
            form.cmdApply->setEnabled(false);
        }));
        QCOMPARE(rig.boxes(), boxes);
        QCOMPARE(storedSettings(rig, 1), stored);
        QCOMPARE(rig.storedMaximum(1, 0), saves ? 42 : 4);
        QCOMPARE(rig.listReads, saves ? 1 : 0);
    }

    void closing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code"); // typed with an edit; null: no edit
        QTest::addColumn<QString>("way");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("storedLimit");
        const QStringList none;
        QTest::newRow("OK with nothing pending") << "" << QString() << "cmdOK" << none << none << true << "2";
        QTest::newRow("OK saves") << "Alpha" << "1234" << "cmdOK" << none << none << true << "9";
        QTest::newRow("OK with a short code") << "Alpha" << "12" << "cmdOK" << none << QStringList{kTooFew} << false
                                              << "2";
        QTest::newRow("OK with a refused name") << "O''Neil" << "1234" << "cmdOK" << none << QStringList{kQuotes}
                                                << false << "2";
        QTest::newRow("Cancel, Yes") << "Alpha" << "1234" << "cmdCancel" << QStringList{"Yes"}
                                     << QStringList{kClosing} << true << "9";
        QTest::newRow("Cancel, Yes with a short code") << "Alpha" << "123" << "cmdCancel" << QStringList{"Yes"}
                                                       << QStringList{kClosing, kTooFew} << false << "2";
        QTest::newRow("Cancel, No") << "Alpha" << "1234" << "cmdCancel" << QStringList{"No"}
                                    << QStringList{kClosing} << true << "2";
        QTest::newRow("Cancel, Cancel") << "Alpha" << "1234" << "cmdCancel" << QStringList{"Cancel"}
                                        << QStringList{kClosing} << false << "2";
        QTest::newRow("close button, No") << "Alpha" << "1234" << "close" << QStringList{"No"}
                                          << QStringList{kClosing} << true << "2";
        QTest::newRow("Escape asks too") << "Alpha" << "1234" << "Escape" << QStringList{"Cancel"}
                                         << QStringList{kClosing} << false << "2";
    }
    void closing()
    {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(QString, way);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, boxes);
        QFETCH(bool, closes);
        QFETCH(QString, storedLimit);
        DialogRig rig;
        rig.answer(boxes, answers);
        QVERIFY(rig.show(3, 1, QString(), [&](GUI &form) {
            if (!code.isNull()) {
                typeInto(form.txtPartitionName, name);
                typeInto(form.txtAccessCode, code);
                form.cboSelectionLimit->setCurrentIndex(9);
            }
            if (way == QLatin1String("close"))
                form.close();
            else if (way == QLatin1String("Escape"))
                QTest::keyClick(&form, Qt::Key_Escape);
            else
                QTest::mouseClick(form.findChild<QPushButton *>(way), Qt::LeftButton);
            QCOMPARE(form.isVisible(), !closes);
            QCOMPARE(rig.boxes(), boxes);
            if (!closes)
                rig.ui.boxes.expect(ui::Answer::No); // the runner closes the dialog after the script
        }));
        QCOMPARE(rig.stored(1, "SelectLimit"), storedLimit);
    }

    // A whole edit saved by OK, or by Yes to the question of a Next move, and
    // read back in a second showing.
    void editsSurviveReopening_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("OK") << "cmdOK" << QStringList{};
        QTest::newRow("Yes before Next") << "cmdNext" << QStringList{kQuestion};
    }
    void editsSurviveReopening()
    {
        QFETCH(QString, way);
        QFETCH(QStringList, boxes);
        DialogRig rig;
        rig.answer(boxes, {"Yes"});
        QVERIFY(rig.show(3, 1, QString(), [&](GUI &form) {
            typeInto(form.txtPartitionName, QStringLiteral("Harbour Master"));
            typeInto(form.txtTimeLimitMin, QStringLiteral("2"));
            typeInto(form.txtTimeLimitSec, QStringLiteral("05"));
            typeInto(form.txtNode[1], QStringLiteral("42"));
            form.cboSelectionLimit->setCurrentIndex(9);
            QTest::mouseClick(form.findChild<QPushButton *>(way), Qt::LeftButton);
            if (form.isVisible())
                QTest::mouseClick(form.cmdCancel, Qt::LeftButton);
            QVERIFY(!form.isVisible());
        }));
        QCOMPARE(rig.boxes(), boxes);
        QStringList reopened;
        QVERIFY(rig.show(3, 1, QString(), [&](GUI &form) {
            reopened = {form.txtPartitionName->text(), form.txtTimeLimitMin->text(), form.txtTimeLimitSec->text(),
                        form.txtNode[1]->text(), form.cboSelectionLimit->currentText()};
        }));
        QCOMPARE(reopened, (QStringList{"Harbour Master", "02", "05", "42", "9"}));
        QCOMPARE(rig.stored(1, "TimeLimit"), QStringLiteral("125"));
        QCOMPARE(rig.storedMaximum(1, 100), 42);
    }
};

QTEST_MAIN(ApplyTest)
#include "tst_apply.moc"
