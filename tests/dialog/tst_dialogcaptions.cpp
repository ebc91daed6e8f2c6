// Captions and fixed lists from the string table, as the user reads them
// after Load_Language_Dependant_Parts and Load_Combo_Lists; how the first
// missing or empty string stops either; and what a pick in a fixed list does.
#include "EditedStringTable.h"
#include "TestSupport.h"
#include "dialog/GUI.h"
#include "dialog/ListControls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using testing::StringEdits;

namespace {

// Some captions, in the order they are applied: the form's, the first
// label's, the one after the strings only fetched, a label, the frame, the
// Defaults button and the last one.
QStringList captions(const GUI &form)
{
    return {form.windowTitle(),           form.lblPartitionNo->text(),  form.lblPartitionName->text(),
            form.lblTotalRecTime->text(), form.frmMaxNoOfNode->title(), form.cmdViewPartitionDefault->text(),
            form.lblAccessDenied->text()};
}
const QStringList kEnglish = {"Partition Settings",      "Partition Number", "Partition Name", "Total Rec.Time (MM:SS)",
                              "Max Number of each Node", "Default",          "Access Denied"};
const QStringList kDesign = {"Partition Settings",     "F:Partition Number:",        "F:Partition Name",
                             "F:Total Rec.Time (sec)", "F:Max Number of each nodes", "Defaults",
                             "F:Access Denied"};

QString items(const QComboBox *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts.join(QLatin1Char(' '));
}

} // namespace

class DialogCaptionsTest : public QObject
{
    Q_OBJECT

    GUI *form = nullptr;

private slots:
    void init() { form = &GUI::load(); }
    void cleanup() { GUI::unload(); }

    // Both procedures run on an edited table. "lists": the item counts of the
    // language, command, no-message and selection limit lists, then the PLAY
    // text. Strings 66 and 67 give the Defaults button's left and width.
    void stringsStopAtTheFirstMissingOne_data()
    {
        QTest::addColumn<StringEdits>("edits");
        QTest::addColumn<int>("applied"); // of the seven captions
        QTest::addColumn<QRect>("defaults");
        QTest::addColumn<QString>("lists");
        QTest::addColumn<QString>("box"); // empty: none
        const QString failed = "Resource file failed.";
        const QString full = "5 2 3 26 PLAY";
        const QRect stays(6360, 4800, 855, 375);
        QTest::newRow("English table") << StringEdits{} << 7 << stays << full << "";
        QTest::newRow("33 missing; PLAY from the table")
            << StringEdits{{33, QString()}, {78, "F:PLAY"}} << 2 << stays << "5 2 3 26 F:PLAY" << failed;
        QTest::newRow("67 empty") << StringEdits{{66, "120"}, {67, ""}} << 6 << stays << full << "";
        QTest::newRow("27 missing, numbers with blanks") << StringEdits{{66, " 120 "}, {67, " 1215"}, {27, QString()}}
                                                         << 6 << QRect(120, 4800, 1215, 375) << full << failed;
        QTest::newRow("66 not a number") << StringEdits{{66, "abc"}} << 6 << stays << full
                                         << "General Failure\r\nVEL_PART_SET:Load_Language_Dependant_Parts \r\n"
                                            "Type mismatch";
        QTest::newRow("78 missing") << StringEdits{{78, QString()}} << 7 << stays << "5 1 0 0 " << failed;
    }
    void stringsStopAtTheFirstMissingOne()
    {
        QFETCH(StringEdits, edits);
        QFETCH(int, applied);
        QFETCH(QRect, defaults);
        QFETCH(QString, lists);
        QFETCH(QString, box);
        testing::EditedStringTable table(edits);
        testing::ScriptedUi ui;
        if (!box.isEmpty())
            ui.boxes.expect(ui::Answer::OK);
        form->Load_Language_Dependant_Parts();
        form->Load_Combo_Lists();
        QCOMPARE(captions(*form), kEnglish.mid(0, applied) + kDesign.mid(applied));
        const QRect g = form->cmdViewPartitionDefault->geometry(); // 15 twips a pixel
        QCOMPARE(QRect(g.x() * 15, g.y() * 15, g.width() * 15, g.height() * 15), defaults);
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(form->cboRemoteLanguage->count())
                     .arg(form->cboCommand->count())
                     .arg(form->cboNoMSGRecorded->count())
                     .arg(form->cboSelectionLimit->count())
                     .arg(form->Get_strPLAY()),
                 lists);
        QCOMPARE(ui.boxes.shown().size(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty()) {
            QCOMPARE(testing::describe(ui.boxes.shown().at(0)), "title \"Internal Error\", text \"" + box + "\"");
            QCOMPARE(ui.boxes.shown().at(0).icon, ui::Icon::Critical);
        }
    }

    // Appended to what the lists held, none of them chosen.
    void fixedListItems()
    {
        testing::ScriptedUi ui;
        form->cboSelectionLimit->addItem(QStringLiteral("kept"));
        form->Load_Combo_Lists();
        QCOMPARE(items(form->cboRemoteLanguage), QStringLiteral("ENGLISH SPANISH FRENCH GERMAN PORTUGUESE"));
        QCOMPARE(items(form->cboCommand), QStringLiteral("NOOP PLAY"));
        QCOMPARE(items(form->cboNoMSGRecorded), QStringLiteral("IGNORE DISCONNECT PLAY"));
        QCOMPARE(items(form->cboSelectionLimit),
                 QStringLiteral("kept 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25"));
        for (const QComboBox *list : {form->cboRemoteLanguage, form->cboCommand, form->cboNoMSGRecorded})
            QCOMPARE(list->currentIndex(), -1);
    }

    // A pick marks the partition as changed. PLAY shows the message number
    // box with the partition's message chosen in the hidden message list;
    // another command hides the box; emptying a list is no pick. "messages":
    // the box, the message list's items and its text.
    void aPickInAFixedList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("key"); // 0: the list emptied
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("messages");
        const QString untouched = "shown [] cboMSGCmd";
        QTest::newRow("language") << "cboRemoteLanguage" << int(Qt::Key_End) << true << untouched;
        QTest::newRow("no message action") << "cboNoMSGRecorded" << int(Qt::Key_End) << true << untouched;
        QTest::newRow("selection limit") << "cboSelectionLimit" << int(Qt::Key_End) << true << untouched;
        QTest::newRow("NOOP") << "cboCommand" << int(Qt::Key_Home) << true << "hidden [] cboMSGCmd";
        QTest::newRow("PLAY") << "cboCommand" << int(Qt::Key_End) << true << "shown [MSG 1 MSG 2 MSG 3] MSG 2";
        QTest::newRow("emptied") << "cboRemoteLanguage" << 0 << false << untouched;
    }
    void aPickInAFixedList()
    {
        QFETCH(QString, list);
        QFETCH(int, key);
        QFETCH(bool, changed);
        QFETCH(QString, messages);
        testing::ScriptedUi ui;
        form->Load_Combo_Lists();
        form->Let_strMSG(QStringLiteral("MSG"));
        form->Let_iMaxMSG(3);
        form->Let_strMSGNo(QStringLiteral("2"));
        form->txtMSGCmd->show();
        auto *picked = form->findChild<QComboBox *>(list);
        QVERIFY(picked);
        if (key == 0) {
            picked->blockSignals(true); // the entry emptied was no pick either
            picked->setCurrentIndex(0);
            picked->blockSignals(false);
            listControls::clear(picked);
        } else {
            QTest::keyClick(picked, Qt::Key(key));
        }
        QCOMPARE(!form->cmdApply->testAttribute(Qt::WA_Disabled), changed);
        QCOMPARE(QStringLiteral("%1 [%2] %3")
                     .arg(form->txtMSGCmd->isHidden() ? "hidden" : "shown", items(form->cboMSGCmd),
                          form->cboMSGCmd->currentText()),
                 messages);
        QVERIFY(form->cboMSGCmd->isHidden());
    }
};

QTEST_MAIN(DialogCaptionsTest)
#include "tst_dialogcaptions.moc"
