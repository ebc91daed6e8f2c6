// The dialog's error boxes, its nested busy pointer and its bridge
// properties, driven through the public surface of the loaded form.
#include "EditedStringTable.h"
#include "Rig.h"
#include "TestSupport.h"
#include "dialog/GUI.h"
#include "rules/Busyness_Rules.h"

#include <QTest>

class DialogMessagesTest : public QObject
{
    Q_OBJECT

private:
    GUI *form = nullptr;

    bool formShowsHourglass() const
    {
        return form->testAttribute(Qt::WA_SetCursor) && form->cursor().shape() == Qt::WaitCursor;
    }

private slots:
    void init() { form = &GUI::load(); }
    void cleanup() { GUI::unload(); }

    // The box names its location under the first line of string 34 or 36;
    // with a string missing, the fixed resource-failure text stands in (id 0:
    // that box called directly).
    void errorBoxes_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("removedId");
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("text");
        const QString failed = QStringLiteral("Resource file failed.");
        QTest::newRow("event handler") << 36 << -1 << "VEL_PART_SET:cmdOK_Click \r\nOverflow"
                                       << "Inactive Business Rules\r\nVEL_PART_SET:cmdOK_Click \r\nOverflow";
        QTest::newRow("captions") << 34 << -1 << "X:Load_Language_Dependant_Parts \r\nType mismatch"
                                  << "General Failure\r\nX:Load_Language_Dependant_Parts \r\nType mismatch";
        QTest::newRow("empty location") << 36 << -1 << "" << "Inactive Business Rules\r\n";
        QTest::newRow("resource failure") << 0 << -1 << "" << failed;
        QTest::newRow("text id not in the table") << 40 << -1 << "somewhere" << failed;
        QTest::newRow("title string missing") << 36 << 35 << "somewhere" << failed;
        QTest::newRow("text string missing") << 36 << 36 << "somewhere" << failed;
    }

    void errorBoxes()
    {
        QFETCH(int, id);
        QFETCH(int, removedId);
        QFETCH(QString, location);
        QFETCH(QString, text);
        testing::EditedStringTable table;
        table.removed = {removedId};
        resources::ScopedStringTable scope(table);
        testing::ScriptedUi ui;
        ui.pointer.setScreenPointer(ui::Pointer::Hourglass);
        ui.boxes.expect(ui::Answer::OK);
        if (id == 0)
            form->Show_Resource_Failure();
        else
            form->Show_Internal_Error(qint16(id), location);
        QCOMPARE(ui.boxes.shown().size(), 1);
        const ui::ShownBox box = ui.boxes.shown().first();
        QCOMPARE(box.title, QStringLiteral("Internal Error"));
        QCOMPARE(box.text, text);
        QCOMPARE(box.buttons, ui::Buttons::OK);
        QCOMPARE(box.icon, ui::Icon::Critical);
        if (id != 0)
            QCOMPARE(ui.pointer.screenPointer(), ui::Pointer::Default);
    }

    // Calls: B busy (True, -1), b busy (1), C clear, R reset.
    void busyPointerNests_data()
    {
        QTest::addColumn<QString>("calls");
        QTest::addColumn<bool>("hourglass");
        QTest::addColumn<int>("count");
        QTest::newRow("three busy, two clear") << "BBBCC" << true << 1;
        QTest::newRow("three busy, three clear") << "BBBCCC" << false << 0;
        QTest::newRow("a fourth clear") << "BBBCCCC" << false << 0;
        QTest::newRow("surplus clear first") << "CCB" << true << 1;
        QTest::newRow("any non-zero is busy") << "bB" << true << 2;
        QTest::newRow("reset while nested") << "BBBR" << false << 0;
        QTest::newRow("reset when idle") << "R" << false << 0;
        QTest::newRow("busy after reset") << "BBRB" << true << 1;
    }

    void busyPointerNests()
    {
        QFETCH(QString, calls);
        QFETCH(bool, hourglass);
        QFETCH(int, count);
        testing::ScriptedUi ui;
        for (const QChar call : calls) {
            if (call == 'B')
                form->Set_MousePointer(-1);
            else if (call == 'b')
                form->Set_MousePointer(1);
            else if (call == 'C')
                form->Set_MousePointer(0);
            else
                form->Set_MousePointer(0, true);
        }
        QCOMPARE(ui.pointer.screenPointer(), hourglass ? ui::Pointer::Hourglass : ui::Pointer::Default);
        QCOMPARE(formShowsHourglass(), hourglass);
        QCOMPARE(int(form->busyCount()), count);
    }

    // Inner busy sections must not touch the pointer: a scripted change of
    // the screen pointer inside the outermost section stays as it is.
    void onlyTheOutermostCallsSwitchThePointer()
    {
        testing::ScriptedUi ui;
        form->Set_MousePointer(-1);
        ui.pointer.setScreenPointer(ui::Pointer::Default);
        form->Set_MousePointer(-1);
        form->Set_MousePointer(0);
        QCOMPARE(ui.pointer.screenPointer(), ui::Pointer::Default);
        form->Set_MousePointer(-1);
        QCOMPARE(ui.pointer.screenPointer(), ui::Pointer::Default);
    }

    // One busy call too many overflows the 16-bit count: the error goes to
    // the rules object's recording path, which resets the pointer.
    void busyOverflowIsRecordedThroughTheRules()
    {
        testing::Rig rig;
        Busyness_Rules rules(rig.factory);
        form->Busyness_Rules(&rules);
        for (int call = 0; call < 32767; ++call)
            form->Set_MousePointer(-1);
        QCOMPARE(int(form->busyCount()), 32767);
        QCOMPARE(rig.ui.pointer.screenPointer(), ui::Pointer::Hourglass);
        rig.ui.boxes.expect(ui::Answer::OK);
        form->Set_MousePointer(-1);

        QCOMPARE(rules.ErrLocation(), QStringLiteral("[VEL_PART_SET][Business_Rules]Set_MousePointer"));
        QCOMPARE(rules.ErrCode(), 6);
        QCOMPARE(rules.ErrDescription(), QStringLiteral("Overflow"));
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
        QVERIFY(rig.ui.boxes.shown().first().text.contains(QStringLiteral("Set_MousePointer")));
        QCOMPARE(int(form->busyCount()), 0);
        QCOMPARE(rig.ui.pointer.screenPointer(), ui::Pointer::Default);
        QVERIFY(!formShowsHourglass());
    }

    void bridgePropertiesKeepTheirOwnFields()
    {
        form->Let_strMSG("Greeting");
        form->Let_strMSGNo("32767");
        form->Let_iMaxMSG(-32768);
        QCOMPARE(form->Get_strMSG(), QStringLiteral("Greeting"));
        QCOMPARE(form->Get_strMSGNo(), QStringLiteral("32767"));
        QCOMPARE(int(form->Get_iMaxMSG()), -32768);
        QCOMPARE(form->Get_strPLAY(), QString());
    }
};

QTEST_MAIN(DialogMessagesTest)
#include "tst_dialogmessages.moc"
