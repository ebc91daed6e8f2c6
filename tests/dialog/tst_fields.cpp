// Editing the dialog's fields as a user does: keystrokes and pastes into the
// real boxes, read back after each action, with the node grid's limits, and
// the handlers' error boxes.
#include "DialogRig.h"

#include "partition_settings/dialog/ListControls.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>

using namespace testing;

class FieldsTest : public QObject
{
    Q_OBJECT

private slots:
    // The bare form, without a rules object: with an entry in the selector
    // each handler that needs the rules fails (error 91).
    void init() { listControls::appendItem(GUI::load().cboPartitionNumber, QStringLiteral("1 - One"), 1); }
    void cleanup() { GUI::unload(); }

    // Actions, joined by "|": "=text" set by the program (a load, or a paste),
    // "^keys" a key sequence, "@steps" steps on the form (DialogRig.h),
    // anything else typed key by key. Row 3 of the node grid is "txtNode(3)
    // T", of node type T. Each edit of a digit box enables Apply, of the name
    // only a change; the clipboard holds the loaded text. Error boxes show
    // after the texts, from their location on, 91's text left out.
    void edits_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("shown"); // after each action
        const QString node = "txtNode(3) ", name = "txtPartitionName", thirty = "Reception and dispatch desk 12";
        QTest::newRow("seconds up to 59") << "txtRecTimeSec" << "" << "6|5|=7x|=420|^Ctrl+A|07" << "6|59|59|59|59|07";
        QTest::newRow("minutes up to 360") << "txtRecTimeMin" << "36" << "0|^Backspace|1|0" << "360|36|360|360";
        QTest::newRow("31 min is 30, 030 goes") << "txtTimeLimitMin" << "" << "31|=030" << "30|30";
        QTest::newRow("emptied") << "txtTimeLimitSec" << "4" << "^Backspace" << "";
        QTest::newRow("13th digit, 12a, ' 123 ', caret") << "txtAccessCode" << "12345678901"
            << "23|^Ctrl+A|12a|= 123 |=1 2|^Home|4" << "123456789012|123456789012|12|123|123|123|4123";
        QTest::newRow("node type 5: 7, empty, 12 goes") << node + "5" << "" << "7|^Backspace|12" << "7||1";
        QTest::newRow("node type 15: 150 is 99") << node + "15" << "" << "150" << "99";
        QTest::newRow("node type 14: 100 is 99") << node + "14" << "" << "100" << "99";
        QTest::newRow("node type 16: 555 is 99") << node + "16" << "" << "555" << "99";
        QTest::newRow("node type 13: 150 stays") << node + "13" << "" << "150" << "150";
        QTest::newRow("node type 17: 150 stays") << node + "17" << "" << "150" << "150";
        QTest::newRow("node type 3: 1000 goes, 999 stays") << node + "3" << "" << "1000|=999" << "100|999";
        QTest::newRow("node type x: reported") << node + "x" << "" << "5" << "5|txtNode_Change \r\nType mismatch";
        QTest::newRow("moves, Apply without rules") << "txtAccessCode" << "1234" << "@cmdFirst, cmdPrevious, cmdNext, "
            "cmdLast, cmdViewPartitionDefault, cboPartitionNumber=0|5|@cmdApply" << "1234|12345|12345|cmdFirst_Click|"
            "cmdPrevious_Click|cmdNext_Click|cmdLast_Click|cmdViewPartitionDefault_Click|cboPartitionNumber_Click|"
            "cmdApply_Click";
        QTest::newRow("any name character") << name << "Lobby" << "\"" << "Lobby\"";
        QTest::newRow("the same name pasted over") << name << "Lobby" << "^Ctrl+A|^Ctrl+V" << "Lobby|Lobby";
        QTest::newRow("40 characters pasted go whole") << name << "Lobby" << "=" + thirty + "0123456789" << "Lobby";
    }
    void edits()
    {
        QFETCH(QString, box);
        QFETCH(QString, loaded);
        QFETCH(QString, actions);
        QFETCH(QString, shown);
        ScriptedUi ui;
        GUI &form = *GUI::instance();
        form.lblNodeTypeID[3]->setText(box.section(' ', 1));
        QLineEdit *field = form.findChild<QLineEdit *>(box.section(' ', 0, 0));
        field->setText(loaded);
        form.cmdApply->setEnabled(false);
        QApplication::clipboard()->setText(loaded);
        for (int answer = 0; answer < 7; ++answer) // error boxes are answered OK
            ui.boxes.expect(ui::Answer::OK);
        QStringList seen;
        for (const QString &action : actions.split(QLatin1Char('|'))) {
            if (action.startsWith(QLatin1Char('=')))
                field->setText(action.mid(1));
            else if (action.startsWith(QLatin1Char('^')))
                QTest::keySequence(field, QKeySequence(action.mid(1)));
            else if (action.startsWith(QLatin1Char('@')))
                act(form, action.mid(1));
            else
                QTest::keyClicks(field, action);
            seen << field->text();
        }
        for (const ui::ShownBox &error : ui.boxes.shown())
            seen << error.text.section(QLatin1Char(':'), 1).section(QLatin1String(" \r\nObject variable"), 0, 0);
        QCOMPARE(seen.join(QLatin1Char('|')), shown);
        QCOMPARE(field->cursorPosition(), field->text().size());
        QCOMPARE(ownEnabled(form.cmdApply), field != form.txtPartitionName || field->text() != loaded);
    }
};

QTEST_MAIN(FieldsTest)
#include "tst_fields.moc"
