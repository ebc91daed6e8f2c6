// The dialog's error box and its fallback when the string table fails, and
// the nested busy pointer with the recording of its own failure.
#include "EditedStringTable.h"
#include "Rig.h"
#include "dialog/GUI.h"
#include "rules/Busyness_Rules.h"

#include <QTest>

using testing::StringEdits;

class DialogMessagesTest : public QObject
{
    Q_OBJECT

    GUI *form = nullptr;

    // "H" for the hourglass, "-" for the default pointer: the screen's, then the form's.
    QString pointers(const testing::ScriptedUi &ui) const
    {
        const bool formBusy = form->testAttribute(Qt::WA_SetCursor) && form->cursor().shape() == Qt::WaitCursor;
        return QString(ui.pointer.screenPointer() == ui::Pointer::Hourglass ? "H" : "-") + (formBusy ? "H" : "-");
    }

private slots:
    void init() { form = &GUI::load(); }
    void cleanup() { GUI::unload(); }

    // The title is string 35, the first line string 34 or 36; a string that
    // cannot be loaded shows the fixed resource failure box instead. Either
    // box comes with the default pointer.
    void errorBoxes_data()
    {
        QTest::addColumn<StringEdits>("edits");
        QTest::addColumn<QString>("text");
        QTest::newRow("a handler's error")
            << StringEdits{} << "Inactive Business Rules\r\nVEL_PART_SET:cmdOK_Click \r\nOverflow";
        QTest::newRow("title string missing") << StringEdits{{35, QString()}} << "Resource file failed.";
    }
    void errorBoxes()
    {
        QFETCH(StringEdits, edits);
        QFETCH(QString, text);
        testing::EditedStringTable table(edits);
        testing::ScriptedUi ui;
        ui.pointer.setScreenPointer(ui::Pointer::Hourglass);
        ui.boxes.expect(ui::Answer::OK);
        form->Show_Internal_Error(36, QStringLiteral("VEL_PART_SET:cmdOK_Click \r\nOverflow"));
        QCOMPARE(ui.boxes.shown().size(), 1);
        QCOMPARE(testing::describe(ui.boxes.shown().at(0)), "title \"Internal Error\", text \"" + text + "\"");
        QCOMPARE(ui.boxes.shown().at(0).buttons, ui::Buttons::OK);
        QCOMPARE(ui.boxes.shown().at(0).icon, ui::Icon::Critical);
        QCOMPARE(ui.pointer.screenPointer(), ui::Pointer::Default);
    }

    // Calls: B busy (-1), b busy (1), C clear, R reset; x: something else
    // sets the screen pointer back, which inner calls must leave alone.
    void busyPointerNests()
    {
        testing::ScriptedUi ui;
        QStringList trace;
        for (const QChar call : QStringLiteral("CBbBxBCCCCCCBCBBRRBC")) {
            if (call == 'x')
                ui.pointer.setScreenPointer(ui::Pointer::Default);
            else
                form->Set_MousePointer(call == 'B' ? -1 : call == 'b' ? 1 : 0, call == 'R');
            trace << pointers(ui);
        }
        QCOMPARE(trace.join(' '), QStringLiteral("-- HH HH HH -H -H -H -H -H -- -- -- HH -- HH HH -- -- HH --"));
    }

    // One busy call past 32767 overflows the count: the error is recorded
    // through the rules object, whose error routine resets the pointer.
    void aBusyCountOverflowIsRecorded()
    {
        testing::Rig rig(testing::Rig::DataFolder::Present, server::ReferenceStore::Seeding::SchemaOnly);
        Busyness_Rules rules(rig.factory);
        form->Busyness_Rules(&rules);
        rig.ui.boxes.expect(ui::Answer::OK);
        for (int call = 0; call <= 32767; ++call)
            form->Set_MousePointer(-1);
        QCOMPARE(rules.ErrLocation(), QStringLiteral("[VEL_PART_SET][Business_Rules]Set_MousePointer"));
        QCOMPARE(rules.ErrCode(), 6);
        QCOMPARE(rules.ErrDescription(), QStringLiteral("Overflow"));
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
        QCOMPARE(pointers(rig.ui), QStringLiteral("--"));
        form->Set_MousePointer(-1);
        QCOMPARE(pointers(rig.ui), QStringLiteral("HH")); // counted from 0 again
    }
};

QTEST_MAIN(DialogMessagesTest)
#include "tst_dialogmessages.moc"
