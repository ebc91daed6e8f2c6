// Editing the dialog's fields as a user does: keystrokes and pastes into the
// real boxes, read back after each one; the node grid's limits, wheel and
// focus; the wheel over the drop-down lists.
#include "TestSupport.h"

#include "dialog/GUI.h"
#include "dialog/ListControls.h"
#include "dialog/Twips.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTest>
#include <QWheelEvent>

namespace {

bool ownEnabled(const QWidget *widget) { return !widget->testAttribute(Qt::WA_Disabled); }

// One action: "=text" the program sets the text (as a loader does), "<bs>"
// Backspace, "<home>" Home, "<all>" Ctrl+A, one character a keystroke,
// anything longer pasted from the clipboard (Ctrl+V).
void act(QLineEdit *box, const QString &action)
{
    if (action.startsWith(QLatin1Char('='))) {
        box->setText(action.mid(1));
    } else if (action == QLatin1String("<bs>")) {
        QTest::keyClick(box, Qt::Key_Backspace);
    } else if (action == QLatin1String("<home>")) {
        QTest::keyClick(box, Qt::Key_Home);
    } else if (action == QLatin1String("<all>")) {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    } else if (action.size() == 1) {
        QTest::keyClick(box, action[0].toLatin1());
    } else {
        QApplication::clipboard()->setText(action);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
}

// What the box shows after each action.
QStringList actAndWatch(QLineEdit *box, const QStringList &actions)
{
    QStringList shown;
    for (const QString &action : actions) {
        act(box, action);
        shown.append(box->text());
    }
    return shown;
}

// The grid as the node maxima loader leaves it for 15 rows: the rows' node
// types, the rest hidden, the sheet 5660 twips high, the scroll bar up to 2045.
void fillGrid(GUI &form, const QList<int> &types = QList<int>(15, 3))
{
    for (int row = 0; row < 20; ++row) {
        form.lblNode[row]->setVisible(row < types.size());
        form.txtNode[row]->setVisible(row < types.size());
        if (row < types.size())
            form.lblNodeTypeID[row]->setText(QString::number(types[row]));
    }
    twips::setHeight(form.picNode, 5660);
    form.VScroll1->setMaximum(2045);
}

void showActive(GUI &form)
{
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

bool inView(const GUI &form, const QWidget *box)
{
    return form.Picture1->rect().contains(QRect(box->mapTo(form.Picture1, QPoint()), box->size()));
}

QWheelEvent notchDown(QWidget *over)
{
    const QPointF at(over->width() / 2.0, over->height() / 2.0);
    return QWheelEvent(at, over->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
}

const QString kThirty = QStringLiteral("Reception and dispatch desk 12"); // 30 characters

} // namespace

class FieldsTest : public QObject
{
    Q_OBJECT

    testing::ScriptedUi ui;
    const int wheelScrollLines = QApplication::wheelScrollLines();

private slots:
    void init() { GUI::load(); }
    void cleanup()
    {
        GUI::unload();
        ui.boxes.clear();
        QApplication::setWheelScrollLines(wheelScrollLines);
    }

    void validateTextField_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("all digits") << 3 << "407" << "OK";
        QTest::newRow("past the end") << 3 << "12" << "";
        QTest::newRow("a letter within the count") << 2 << "1a" << "";
        QTest::newRow("only the count is looked at") << 1 << "1a" << "OK";
        QTest::newRow("count 0") << 0 << "" << "OK";
        QTest::newRow("another script's digit") << 1 << QStringLiteral("\u0663") << "";
    }
    void validateTextField()
    {
        QFETCH(int, count);
        QFETCH(QString, text);
        QFETCH(QString, result);
        QCOMPARE(GUI::instance()->ValidateTextField(qint16(count), text), result);
    }

    void digitFieldsAsTyped_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("65 seconds turn into 59, which is then kept")
            << "txtRecTimeSec" << "" << QStringList{"6", "5", "x"} << QStringList{"6", "59", "59"};
        QTest::newRow("360 recording minutes stay, 361 turn into 360, 1000 is refused")
            << "txtRecTimeMin" << "36" << QStringList{"0", "<bs>", "1", "0"} << QStringList{"360", "36", "360", "360"};
        QTest::newRow("31 time limit minutes turn into 30, 030 goes back")
            << "txtTimeLimitMin" << "" << QStringList{"3", "1", "<all>", "030"} << QStringList{"3", "30", "30", "30"};
        QTest::newRow("60 time limit seconds turn into 59, 07 stays")
            << "txtTimeLimitSec" << "" << QStringList{"6", "0", "<all>", "0", "7"}
            << QStringList{"6", "59", "59", "0", "07"};
        QTest::newRow("a 13th digit of the access code is undone")
            << "txtAccessCode" << "12345678901" << QStringList{"2", "3"}
            << QStringList{"123456789012", "123456789012"};
        QTest::newRow("12a goes back to 12") << "txtAccessCode" << "" << QStringList{"1", "2", "a"}
                                             << QStringList{"1", "12", "12"};
        QTest::newRow("blanks around a paste go")
            << "txtAccessCode" << "" << QStringList{" 123 "} << QStringList{"123"};
        QTest::newRow("a blank inside is undone; a digit typed first puts the caret at the end")
            << "txtAccessCode" << "12" << QStringList{"1 2", "<home>", "4"} << QStringList{"12", "12", "412"};
        QTest::newRow("a message number takes 3 digits")
            << "txtMSGCmd" << "10" << QStringList{"0", "0"} << QStringList{"100", "100"};
        QTest::newRow("emptying is accepted") << "txtTimeLimitSec" << "42" << QStringList{"<all>", "<bs>"}
                                              << QStringList{"42", ""};
        QTest::newRow("a set value that breaks the rule shows the last accepted one")
            << "txtRecTimeSec" << "" << QStringList{"=42", "=7x", "=420"} << QStringList{"42", "42", "42"};
    }
    void digitFieldsAsTyped()
    {
        QFETCH(QString, box);
        QFETCH(QString, loaded);
        QFETCH(QStringList, actions);
        QFETCH(QStringList, shown);
        GUI &form = *GUI::instance();
        QLineEdit *field = form.findChild<QLineEdit *>(box);
        field->setText(loaded);
        form.cmdApply->setEnabled(false);
        QCOMPARE(actAndWatch(field, actions), shown);
        QCOMPARE(field->cursorPosition(), field->text().size()); // the caret ends at the end
        QVERIFY(ownEnabled(form.cmdApply));
    }

    void nodeLimits_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("type 5: 7 stays, 12 goes back") << 5 << QStringList{"7", "<bs>", "1", "2"}
                                                       << QStringList{"7", "", "1", "1"};
        QTest::newRow("type 15: 150 shows 99") << 15 << QStringList{"1", "5", "0"} << QStringList{"1", "15", "99"};
        QTest::newRow("type 15: 1000 is refused") << 15 << QStringList{"8", "<all>", "1000"}
                                                  << QStringList{"8", "8", "8"};
        QTest::newRow("type 14: 100 shows 99") << 14 << QStringList{"100"} << QStringList{"99"};
        QTest::newRow("type 16: 555 shows 99") << 16 << QStringList{"555"} << QStringList{"99"};
        QTest::newRow("type 13 keeps 150") << 13 << QStringList{"150"} << QStringList{"150"};
        QTest::newRow("type 17 keeps 150") << 17 << QStringList{"150"} << QStringList{"150"};
        QTest::newRow("type 3: 999 stays, 1000 is refused") << 3 << QStringList{"9", "9", "9", "9"}
                                                            << QStringList{"9", "99", "999", "999"};
        QTest::newRow("type 3: 0 stays, a letter goes") << 3 << QStringList{"0", "x"} << QStringList{"0", "0"};
        QTest::newRow("emptying") << 3 << QStringList{"4", "<bs>"} << QStringList{"4", ""};
    }
    void nodeLimits()
    {
        QFETCH(int, type);
        QFETCH(QStringList, actions);
        QFETCH(QStringList, shown);
        GUI &form = *GUI::instance();
        fillGrid(form, {0, 0, 0, type});
        form.cmdApply->setEnabled(false);
        QCOMPARE(actAndWatch(form.txtNode[3], actions), shown);
        QVERIFY(ownEnabled(form.cmdApply));
    }

    void aNodeTypeThatIsNoNumberIsReported()
    {
        GUI &form = *GUI::instance();
        ui.boxes.expect(ui::Answer::OK);
        QTest::keyClick(form.txtNode[0], '5'); // its type caption is still the design-time "Label1"
        QCOMPARE(form.txtNode[0]->text(), QStringLiteral("5"));
        QCOMPARE(ui.boxes.shown().size(), 1);
        QCOMPARE(ui.boxes.shown().first().title, QStringLiteral("Internal Error"));
        QCOMPARE(ui.boxes.shown().first().text,
                 QStringLiteral("Inactive Business Rules\r\nVEL_PART_SET:txtNode_Change \r\nType mismatch"));
    }

    void partitionName_data()
    {
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("applyEnabled");
        QTest::newRow("any character is taken") << "Lobby" << QStringList{"\""} << "Lobby\"" << true;
        QTest::newRow("the same name pasted over it") << "Lobby" << QStringList{"<all>", "Lobby"} << "Lobby" << false;
        QTest::newRow("a 31st character is undone") << kThirty << QStringList{"x"} << kThirty << false;
        QTest::newRow("40 characters pasted are undone whole")
            << "Lobby" << QStringList{"<all>", kThirty + "0123456789"} << "Lobby" << false;
    }
    void partitionName()
    {
        QFETCH(QString, loaded);
        QFETCH(QStringList, actions);
        QFETCH(QString, shown);
        QFETCH(bool, applyEnabled);
        GUI &form = *GUI::instance();
        form.txtPartitionName->setText(loaded);
        form.cmdApply->setEnabled(false);
        actAndWatch(form.txtPartitionName, actions);
        QCOMPARE(form.txtPartitionName->text(), shown);
        QCOMPARE(ownEnabled(form.cmdApply), applyEnabled);
    }

    void aLongNameIsCutWhenTheBoxIsLeft()
    {
        GUI &form = *GUI::instance();
        showActive(form);
        form.txtPartitionName->setFocus();
        {
            const QSignalBlocker pastTheRule(form.txtPartitionName);
            form.txtPartitionName->setText(kThirty + QStringLiteral("++"));
        }
        QTest::keyClick(form.txtPartitionName, Qt::Key_Tab);
        QCOMPARE(form.txtPartitionName->text(), kThirty);
    }

    void playWithoutMessagesStillShowsTheNumberBox()
    {
        GUI &form = *GUI::instance();
        form.Load_Combo_Lists();
        form.Let_strMSG(QStringLiteral("Msg"));
        form.Let_iMaxMSG(0);
        listControls::appendItem(form.cboMSGCmd, QStringLiteral("left over"));
        listControls::setText(form.cboCommand, QStringLiteral("PLAY"));
        QCOMPARE(form.cboMSGCmd->count(), 0);
        QVERIFY(!form.txtMSGCmd->isHidden());
        QVERIFY(form.cboMSGCmd->isHidden());
    }

    void wheelOverAList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<int>("index");
        QTest::newRow("partition selector without the focus") << "cboPartitionNumber" << false << 1;
        QTest::newRow("selection limit without the focus") << "cboSelectionLimit" << false << 1;
        QTest::newRow("selection limit with the focus") << "cboSelectionLimit" << true << 2;
    }
    void wheelOverAList()
    {
        QFETCH(QString, list);
        QFETCH(bool, focused);
        QFETCH(int, index);
        GUI &form = *GUI::instance();
        form.Load_Combo_Lists();
        for (int number : {0, 4, 9})
            listControls::appendItem(form.cboPartitionNumber, QStringLiteral("%1 - Desk").arg(number), number);
        QComboBox *target = form.findChild<QComboBox *>(list);
        {
            const QSignalBlocker quiet(target); // the starting choice is no user's
            target->setCurrentIndex(1);
        }
        showActive(form);
        if (focused)
            target->setFocus();
        QTRY_COMPARE(target->hasFocus(), focused);
        QWheelEvent wheel = notchDown(target);
        QApplication::sendEvent(target, &wheel);
        QCOMPARE(target->currentIndex(), index);
    }

    void wheelOverTheGridScrollsIt_data()
    {
        QTest::addColumn<QString>("part");
        QTest::newRow("a node box") << "txtNode(2)";
        QTest::newRow("a node name") << "lblNode(4)";
        QTest::newRow("the sheet between rows") << "picNode";
    }
    void wheelOverTheGridScrollsIt()
    {
        QFETCH(QString, part);
        GUI &form = *GUI::instance();
        fillGrid(form);
        QApplication::setWheelScrollLines(1);
        QWidget *over = form.findChild<QWidget *>(part);
        QWheelEvent wheel = notchDown(over);
        QApplication::sendEvent(over, &wheel);
        QCOMPARE(form.VScroll1->value(), 360); // one line: one row
        QCOMPARE(twips::top(form.picNode), -360);
    }

    void aFocusedNodeBoxIsScrolledIntoView_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("Tab to row 8, in view") << 7 << false << false;
        QTest::newRow("Tab to row 9, half below the window") << 8 << false << true;
        QTest::newRow("Tab to row 12, below it") << 11 << false << true;
        QTest::newRow("Shift+Tab to row 0, above it") << 1 << true << true;
    }
    void aFocusedNodeBoxIsScrolledIntoView()
    {
        QFETCH(int, from);
        QFETCH(bool, backwards);
        QFETCH(bool, scrolls);
        GUI &form = *GUI::instance();
        fillGrid(form);
        showActive(form);
        form.txtNode[from]->setFocus();
        QTRY_VERIFY(form.txtNode[from]->hasFocus());
        if (backwards)
            form.VScroll1->setValue(form.VScroll1->value() + 360); // row 0 goes out of view
        const int before = form.VScroll1->value();
        const int to = backwards ? from - 1 : from + 1;
        QTest::keyClick(form.txtNode[from], backwards ? Qt::Key_Backtab : Qt::Key_Tab);
        QVERIFY(form.txtNode[to]->hasFocus());
        QVERIFY(inView(form, form.txtNode[to]));
        QCOMPARE(form.VScroll1->value() != before, scrolls);
    }
};

QTEST_MAIN(FieldsTest)
#include "tst_fields.moc"
