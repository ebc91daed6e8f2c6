// Editing the dialog's fields as a user does: keystrokes and pastes into the
// real boxes, read back after each one; the node grid's limits, wheel and
// focus; the wheel over the drop-down lists.
#include "DialogRig.h"

#include "dialog/GUI.h"
#include "dialog/ListControls.h"
#include "dialog/Twips.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTest>
#include <QWheelEvent>

using namespace testing;

namespace {

// One action: "=text" the program sets the text (as a loader does), "^keys" a
// key sequence, one character a keystroke, anything longer pasted (Ctrl+V).
void act(QLineEdit *box, const QString &action)
{
    if (action.startsWith(QLatin1Char('='))) {
        box->setText(action.mid(1));
    } else if (action.startsWith(QLatin1Char('^'))) {
        QTest::keySequence(box, QKeySequence(action.mid(1)));
    } else if (action.size() == 1) {
        QTest::keyClick(box, action[0].toLatin1());
    } else {
        QApplication::clipboard()->setText(action);
        QTest::keySequence(box, QKeySequence::Paste);
    }
}

void showActive(GUI &form)
{
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

void wheelDown(QWidget *over)
{
    const QPointF at(over->width() / 2.0, over->height() / 2.0);
    QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &wheel);
}

const QString kThirty = QStringLiteral("Reception and dispatch desk 12"); // 30 characters

} // namespace

class FieldsTest : public QObject
{
    Q_OBJECT

    ScriptedUi ui;

private slots:
    void init() { GUI::load(); }
    void cleanup() { GUI::unload(); }

    void validateTextField()
    {
        GUI &form = *GUI::instance();
        const QStringList results{form.ValidateTextField(3, "407"), form.ValidateTextField(3, "12"),
                                  form.ValidateTextField(2, "1a"), form.ValidateTextField(1, "1a"),
                                  form.ValidateTextField(0, "")};
        QCOMPARE(results, (QStringList{"OK", "", "", "OK", "OK"}));
    }

    // Node rows are "txtNode(3) T", row 3 given node type T.
    void edits_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("shown"); // after each action
        QTest::addColumn<bool>("apply");
        const QString node = "txtNode(3) ";
        QTest::newRow("65 seconds turn into 59") << "txtRecTimeSec" << "" << QStringList{"6", "5", "x"}
                                                 << QStringList{"6", "59", "59"} << true;
        QTest::newRow("recording minutes: 360 stays, 361 is 360, 1000 refused") << "txtRecTimeMin" << "36"
            << QStringList{"0", "^Backspace", "1", "0"} << QStringList{"360", "36", "360", "360"} << true;
        QTest::newRow("31 limit minutes are 30, 030 goes back") << "txtTimeLimitMin" << ""
            << QStringList{"3", "1", "^Ctrl+A", "030"} << QStringList{"3", "30", "30", "30"} << true;
        QTest::newRow("60 limit seconds are 59, 07 stays") << "txtTimeLimitSec" << "" << QStringList{"6", "0", "^Ctrl+A", "07"}
                                                           << QStringList{"6", "59", "59", "07"} << true;
        QTest::newRow("a 13th code digit is undone") << "txtAccessCode" << "12345678901" << QStringList{"2", "3"}
                                                     << QStringList{"123456789012", "123456789012"} << true;
        QTest::newRow("12a goes back to 12") << "txtAccessCode" << "" << QStringList{"1", "2", "a"}
                                             << QStringList{"1", "12", "12"} << true;
        QTest::newRow("blanks around a paste go") << "txtAccessCode" << "" << QStringList{" 123 "}
                                                  << QStringList{"123"} << true;
        QTest::newRow("a blank inside is undone; the caret ends at the end") << "txtAccessCode" << "12"
            << QStringList{"1 2", "^Home", "4"} << QStringList{"12", "12", "412"} << true;
        QTest::newRow("a message number takes 3 digits") << "txtMSGCmd" << "10" << QStringList{"0", "0"}
                                                         << QStringList{"100", "100"} << true;
        QTest::newRow("set values that break the rule") << "txtRecTimeSec" << "" << QStringList{"=42", "=7x", "=420"}
                                                        << QStringList{"42", "42", "42"} << true;
        QTest::newRow("node type 5: 7 stays, emptied, 12 goes back") << node + "5" << ""
            << QStringList{"7", "^Backspace", "1", "2"} << QStringList{"7", "", "1", "1"} << true;
        QTest::newRow("node type 15: 150 shows 99") << node + "15" << "" << QStringList{"1", "5", "0"}
                                                    << QStringList{"1", "15", "99"} << true;
        QTest::newRow("node type 14: 100 shows 99") << node + "14" << "" << QStringList{"100"} << QStringList{"99"}
                                                    << true;
        QTest::newRow("node type 16: 555 shows 99") << node + "16" << "" << QStringList{"555"} << QStringList{"99"}
                                                    << true;
        QTest::newRow("node type 13 keeps 150") << node + "13" << "" << QStringList{"150"} << QStringList{"150"} << true;
        QTest::newRow("node type 17 keeps 150") << node + "17" << "" << QStringList{"150"} << QStringList{"150"} << true;
        QTest::newRow("node type 3: 999 stays, 1000 refused") << node + "3" << "" << QStringList{"999", "0", "x"}
                                                              << QStringList{"999", "999", "999"} << true;
        QTest::newRow("any name character") << "txtPartitionName" << "Lobby" << QStringList{"\""}
                                            << QStringList{"Lobby\""} << true;
        QTest::newRow("the same name pasted over it") << "txtPartitionName" << "Lobby" << QStringList{"^Ctrl+A", "Lobby"}
                                                      << QStringList{"Lobby", "Lobby"} << false;
        QTest::newRow("a 31st name character is undone") << "txtPartitionName" << kThirty << QStringList{"x"}
                                                         << QStringList{kThirty} << false;
        QTest::newRow("40 pasted characters are undone whole") << "txtPartitionName" << "Lobby"
            << QStringList{kThirty + "0123456789"} << QStringList{"Lobby"} << false;
    }
    void edits()
    {
        QFETCH(QString, box);
        QFETCH(QString, loaded);
        QFETCH(QStringList, actions);
        QFETCH(QStringList, shown);
        QFETCH(bool, apply);
        GUI &form = *GUI::instance();
        form.lblNodeTypeID[3]->setText(box.section(' ', 1));
        QLineEdit *field = form.findChild<QLineEdit *>(box.section(' ', 0, 0));
        field->setText(loaded);
        form.cmdApply->setEnabled(false);
        QStringList seen;
        for (const QString &action : actions) {
            act(field, action);
            seen << field->text();
        }
        QCOMPARE(seen, shown);
        QCOMPARE(field->cursorPosition(), field->text().size());
        QCOMPARE(ownEnabled(form.cmdApply), apply);
    }

    void aNodeTypeThatIsNoNumberIsReported()
    {
        ui.boxes.expect(ui::Answer::OK);
        QTest::keyClick(GUI::instance()->txtNode[0], '5'); // its type caption is still the design-time "Label1"
        QCOMPARE(GUI::instance()->txtNode[0]->text(), QStringLiteral("5"));
        QCOMPARE(ui.boxes.shown().size(), 1);
        QVERIFY(ui.boxes.shown().at(0).text.endsWith(QLatin1String("VEL_PART_SET:txtNode_Change \r\nType mismatch")));
    }

    void aLongNameIsCutWhenTheBoxIsLeft()
    {
        GUI &form = *GUI::instance();
        showActive(form);
        form.txtPartitionName->setFocus();
        const QSignalBlocker pastTheRule(form.txtPartitionName);
        form.txtPartitionName->setText(kThirty + QStringLiteral("++"));
        QTest::keyClick(form.txtPartitionName, Qt::Key_Tab);
        QCOMPARE(form.txtPartitionName->text(), kThirty);
    }

    void playWithoutMessagesStillShowsTheNumberBox()
    {
        GUI &form = *GUI::instance();
        form.Load_Combo_Lists();
        listControls::appendItem(form.cboMSGCmd, QStringLiteral("left over"));
        listControls::setText(form.cboCommand, QStringLiteral("PLAY"));
        QCOMPARE(form.cboMSGCmd->count(), 0);
        QVERIFY(!form.txtMSGCmd->isHidden() && form.cboMSGCmd->isHidden());
    }

    // The wheel changes a list only while it has the focus.
    void wheelOverAList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("index");
        QTest::newRow("partition selector without the focus") << "cboPartitionNumber" << 1;
        QTest::newRow("selection limit with the focus") << "cboSelectionLimit" << 2;
    }
    void wheelOverAList()
    {
        QFETCH(QString, list);
        QFETCH(int, index);
        GUI &form = *GUI::instance();
        form.Load_Combo_Lists();
        for (int number : {0, 4, 9})
            listControls::appendItem(form.cboPartitionNumber, QStringLiteral("%1 - Desk").arg(number), number);
        QComboBox *target = form.findChild<QComboBox *>(list);
        const QSignalBlocker quiet(target); // the starting choice is no user's
        target->setCurrentIndex(1);
        showActive(form);
        if (index == 2)
            target->setFocus();
        QTRY_COMPARE(target->hasFocus(), index == 2);
        wheelDown(target);
        QCOMPARE(target->currentIndex(), index);
    }

    // 15 rows of the grid, as the loader leaves them: the sheet 5660 twips high, the scroll bar up to 2045.
    // One wheel line scrolls a row; Tab to row 12, below the window, scrolls it into view.
    void theGridScrollsToWhatTheUserReaches()
    {
        GUI &form = *GUI::instance();
        for (int row = 0; row < 20; ++row)
            form.txtNode[row]->setVisible(row < 15);
        twips::setHeight(form.picNode, 5660);
        form.VScroll1->setMaximum(2045);
        QApplication::setWheelScrollLines(1);
        wheelDown(form.txtNode[2]);
        QCOMPARE(twips::top(form.picNode), -360);
        showActive(form);
        form.txtNode[11]->setFocus();
        QTest::keyClick(form.txtNode[11], Qt::Key_Tab);
        QVERIFY(form.txtNode[12]->hasFocus());
        const QRect box(form.txtNode[12]->mapTo(form.Picture1, QPoint()), form.txtNode[12]->size());
        QVERIFY(form.Picture1->rect().contains(box));
    }
};

QTEST_MAIN(FieldsTest)
#include "tst_fields.moc"
