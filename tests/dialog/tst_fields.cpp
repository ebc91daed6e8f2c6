// Editing the dialog's fields as a user does: keystrokes and pastes into the
// real boxes, read back after each one; the node grid's limits; the wheel
// over the drop-down lists.
#include "DialogRig.h"

#include "dialog/GUI.h"
#include "dialog/ListControls.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>
#include <QWheelEvent>

using namespace testing;
using L = QStringList;

namespace {

// One action: "=text" the program sets the text (as a loader does), "^keys" a
// key sequence, one character a keystroke, anything longer pasted.
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
        const L results{form.ValidateTextField(3, "407"), form.ValidateTextField(3, "12"),
                        form.ValidateTextField(2, "1a"), form.ValidateTextField(1, "1a"), form.ValidateTextField(0, "")};
        QCOMPARE(results, (L{"OK", "", "", "OK", "OK"}));
    }

    // A node row is "txtNode(3) T": row 3 of node type T. Every edit of a
    // digit box enables Apply; the name only when it changes.
    void edits_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("shown"); // after each action
        const QString node = "txtNode(3) ", name = "txtPartitionName";
        const QString thirty = "Reception and dispatch desk 12";
        QTest::newRow("65 s is 59, 07 stays") << "txtRecTimeSec" << "" << L{"6", "5", "^Ctrl+A", "07"}
                                              << L{"6", "59", "59", "07"};
        QTest::newRow("360 min stays, 361 is 360, 1000 goes") << "txtRecTimeMin" << "36" << L{"0", "^Backspace", "1", "0"}
                                                              << L{"360", "36", "360", "360"};
        QTest::newRow("31 min is 30, 030 goes back") << "txtTimeLimitMin" << "" << L{"3", "1", "^Ctrl+A", "030"}
                                                     << L{"3", "30", "30", "30"};
        QTest::newRow("60 s is 59") << "txtTimeLimitSec" << "" << L{"6", "0"} << L{"6", "59"};
        QTest::newRow("a 13th code digit goes") << "txtAccessCode" << "12345678901" << L{"2", "3"}
                                                << L{"123456789012", "123456789012"};
        QTest::newRow("12a goes back to 12") << "txtAccessCode" << "" << L{"1", "2", "a"} << L{"1", "12", "12"};
        QTest::newRow("blanks around a paste go") << "txtAccessCode" << "" << L{" 123 "} << L{"123"};
        QTest::newRow("a blank inside goes; the caret ends at the end") << "txtAccessCode" << "12"
                                                                        << L{"1 2", "^Home", "4"} << L{"12", "12", "412"};
        QTest::newRow("3 message digits") << "txtMSGCmd" << "10" << L{"0", "0"} << L{"100", "100"};
        QTest::newRow("set texts that break the rule") << "txtRecTimeSec" << "" << L{"=42", "=7x", "=420"}
                                                       << L{"42", "42", "42"};
        QTest::newRow("node type 5: 7, empty, 12 goes") << node + "5" << "" << L{"7", "^Backspace", "1", "2"}
                                                        << L{"7", "", "1", "1"};
        QTest::newRow("node type 15: 150 is 99") << node + "15" << "" << L{"1", "5", "0"} << L{"1", "15", "99"};
        QTest::newRow("node type 14: 100 is 99") << node + "14" << "" << L{"100"} << L{"99"};
        QTest::newRow("node type 16: 555 is 99") << node + "16" << "" << L{"555"} << L{"99"};
        QTest::newRow("node type 13: 150 stays") << node + "13" << "" << L{"150"} << L{"150"};
        QTest::newRow("node type 17: 150 stays") << node + "17" << "" << L{"150"} << L{"150"};
        QTest::newRow("node type 3: 999 stays, 1000 goes") << node + "3" << "" << L{"999", "0", "x"}
                                                           << L{"999", "999", "999"};
        QTest::newRow("any name character") << name << "Lobby" << L{"\""} << L{"Lobby\""};
        QTest::newRow("the same name pasted over") << name << "Lobby" << L{"^Ctrl+A", "Lobby"} << L{"Lobby", "Lobby"};
        QTest::newRow("a 31st name character goes") << name << thirty << L{"x"} << L{thirty};
        QTest::newRow("40 characters pasted go whole") << name << "Lobby" << L{thirty + "0123456789"} << L{"Lobby"};
    }
    void edits()
    {
        QFETCH(QString, box);
        QFETCH(QString, loaded);
        QFETCH(QStringList, actions);
        QFETCH(QStringList, shown);
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
        QCOMPARE(ownEnabled(form.cmdApply), field != form.txtPartitionName || seen.last() != loaded);
    }

    void aNodeTypeThatIsNoNumberIsReported()
    {
        ui.boxes.expect(ui::Answer::OK);
        QTest::keyClick(GUI::instance()->txtNode[0], '5'); // its type caption is still the design-time "Label1"
        QCOMPARE(GUI::instance()->txtNode[0]->text(), QStringLiteral("5"));
        QCOMPARE(ui.boxes.shown().size(), 1);
        QVERIFY(ui.boxes.shown().at(0).text.endsWith(QLatin1String(":txtNode_Change \r\nType mismatch")));
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

    // A wheel notch over each list: only the one with the focus changes.
    void theWheelChangesOnlyAFocusedList()
    {
        GUI &form = *GUI::instance();
        form.Load_Combo_Lists();
        const QSignalBlocker quiet(form.cboPartitionNumber); // the form has no rules to load partitions with
        for (int number : {0, 4})
            listControls::appendItem(form.cboPartitionNumber, QStringLiteral("%1 - Desk").arg(number), number);
        form.cboSelectionLimit->setCurrentIndex(1);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.cboSelectionLimit->setFocus();
        for (QComboBox *list : {form.cboPartitionNumber, form.cboSelectionLimit}) {
            QWheelEvent notch(QPointF(5, 5), list->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(list, &notch);
        }
        QCOMPARE(form.cboPartitionNumber->currentIndex(), -1);
        QCOMPARE(form.cboSelectionLimit->currentIndex(), 2);
    }
};

QTEST_MAIN(FieldsTest)
#include "tst_fields.moc"
