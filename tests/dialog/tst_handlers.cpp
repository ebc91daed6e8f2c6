// The dialog's list and closing-button handlers on the real form: a choice
// marks the partition as changed, PLAY reveals the message number, a choice in
// the partition selector loads that partition (asking first about unsaved
// edits), Cancel closes and OK closes when no edit is pending.
#include "Rig.h"

#include "dialog/GUI.h"
#include "dialog/ListControls.h"
#include "rules/Busyness_Rules.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using testing::Rig;

namespace {

bool ownEnabled(const QWidget *widget) { return !widget->testAttribute(Qt::WA_Disabled); }

QComboBox *listNamed(GUI &form, const QString &name) { return form.findChild<QComboBox *>(name); }

} // namespace

class HandlersTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { GUI::unload(); }

    void aChoiceMarksThePartitionChanged_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("index");
        QTest::newRow("remote language") << "cboRemoteLanguage" << 2;
        QTest::newRow("no message recorded") << "cboNoMSGRecorded" << 1;
        QTest::newRow("selection limit") << "cboSelectionLimit" << 25;
        QTest::newRow("command") << "cboCommand" << 0;
    }
    void aChoiceMarksThePartitionChanged()
    {
        QFETCH(QString, list);
        QFETCH(int, index);
        GUI &form = GUI::load();
        form.Load_Combo_Lists();
        QVERIFY(!ownEnabled(form.cmdApply));
        QCOMPARE(listNamed(form, list)->currentIndex(), -1); // filling selects nothing
        listNamed(form, list)->setCurrentIndex(index);
        QVERIFY(ownEnabled(form.cmdApply));
    }

    void clearingIsNoChoice()
    {
        GUI &form = GUI::load();
        form.Load_Combo_Lists();
        form.cboRemoteLanguage->setCurrentIndex(0);
        form.cmdApply->setEnabled(false);
        listControls::clear(form.cboRemoteLanguage);
        form.cboRemoteLanguage->setCurrentIndex(-1);
        QVERIFY(!ownEnabled(form.cmdApply));
    }

    void playRevealsTheMessageNumber_data()
    {
        QTest::addColumn<QString>("messageNumber");
        QTest::addColumn<QString>("listText");
        QTest::newRow("with a message number") << "2" << "MSG 2";
        QTest::newRow("without one") << "" << "";
    }
    void playRevealsTheMessageNumber()
    {
        QFETCH(QString, messageNumber);
        QFETCH(QString, listText);
        GUI &form = GUI::load();
        form.Load_Combo_Lists();
        form.Let_strMSG(QStringLiteral("MSG"));
        form.Let_iMaxMSG(3);
        form.Let_strMSGNo(messageNumber);
        listControls::setText(form.cboCommand, QStringLiteral("PLAY"));
        QCOMPARE(form.cboMSGCmd->count(), 3);
        QCOMPARE(form.cboMSGCmd->itemText(0), QStringLiteral("MSG 1"));
        QCOMPARE(form.cboMSGCmd->itemData(2).toInt(), 3);
        QCOMPARE(form.cboMSGCmd->currentText(), listText);
        QVERIFY(!form.txtMSGCmd->isHidden());
        QVERIFY(form.cboMSGCmd->isHidden());

        listControls::setText(form.cboCommand, QStringLiteral("NOOP"));
        QVERIFY(form.txtMSGCmd->isHidden());
        QVERIFY(form.cboMSGCmd->isHidden());
        QCOMPARE(form.cboMSGCmd->count(), 3); // the list keeps its items
    }

    void selectingAPartitionLoadsIt_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<bool>>("buttons"); // First, Previous, Next, Last, Defaults
        QTest::newRow("first entry") << 0 << "Default Partition" << QList<bool>{false, false, true, true, false};
        QTest::newRow("middle entry") << 3 << "Réception \"Nord\" & <Sud>" << QList<bool>{true, true, true, true, true};
        QTest::newRow("last entry") << 5 << "Warehouse O'Neil" << QList<bool>{true, true, false, false, true};
    }
    void selectingAPartitionLoadsIt()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QList<bool>, buttons);
        Rig rig;
        Busyness_Rules rules(rig.factory);
        QString shownName;
        QList<bool> shownButtons;
        bool applyEnabled = true;
        rig.ui.runner.script = [&](QDialog &) {
            GUI &form = *GUI::instance();
            form.cboPartitionNumber->setCurrentIndex(index);
            shownName = form.txtPartitionName->text();
            shownButtons = {ownEnabled(form.cmdFirst), ownEnabled(form.cmdPrevious), ownEnabled(form.cmdNext),
                            ownEnabled(form.cmdLast), ownEnabled(form.cmdViewPartitionDefault)};
            applyEnabled = ownEnabled(form.cmdApply);
        };
        QVERIFY(rules.Shown(1, 1, QString()).asBoolean());
        QCOMPARE(shownName, name);
        QCOMPARE(int(rules.Partition_ID()), rig.store->partitions(1).rows().at(index).at(1).asInteger());
        QCOMPARE(shownButtons, buttons);
        QVERIFY(!applyEnabled);
        QVERIFY(rig.ui.boxes.shown().isEmpty());
    }

    void unsavedEditsAreAskedAbout()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        rig.ui.boxes.expect(ui::Answer::No);
        QString shownName;
        rig.ui.runner.script = [&](QDialog &) {
            GUI &form = *GUI::instance();
            form.cboSelectionLimit->setCurrentIndex(7); // an edit
            form.cboPartitionNumber->setCurrentIndex(2);
            shownName = form.txtPartitionName->text();
        };
        QVERIFY(rules.Shown(1, 1, QString()).asBoolean());
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
        const ui::ShownBox question = rig.ui.boxes.shown().first();
        QCOMPARE(question.text, QStringLiteral("Do you want to save changes?"));
        QCOMPARE(question.title, QStringLiteral("Confirmation"));
        QCOMPARE(question.buttons, ui::Buttons::YesNo);
        QCOMPARE(question.icon, ui::Icon::Question);
        QCOMPARE(shownName, QStringLiteral("Support"));
    }

    void anEntryWithoutANumberIsReported()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        rig.ui.boxes.expect(ui::Answer::OK);
        rig.ui.runner.script = [&](QDialog &) {
            GUI &form = *GUI::instance();
            listControls::appendItem(form.cboPartitionNumber, QStringLiteral("Stray"), 9);
            form.cboPartitionNumber->setCurrentIndex(form.cboPartitionNumber->count() - 1);
        };
        QVERIFY(rules.Shown(1, 1, QString()).asBoolean());
        QCOMPARE(int(rules.Partition_ID()), 1);
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
        QCOMPARE(rig.ui.boxes.shown().first().title, QStringLiteral("Internal Error"));
        QCOMPARE(rig.ui.boxes.shown().first().text,
                 QStringLiteral("Inactive Business Rules\r\nVEL_PART_SET:cboPartitionNumber_Click \r\nType mismatch"));
    }

    void closingButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("pendingEdit");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Cancel") << "cmdCancel" << false << true;
        QTest::newRow("Cancel with an edit") << "cmdCancel" << true << true;
        QTest::newRow("OK") << "cmdOK" << false << true;
        QTest::newRow("OK with an edit") << "cmdOK" << true << false;
    }
    void closingButtons()
    {
        QFETCH(QString, button);
        QFETCH(bool, pendingEdit);
        QFETCH(bool, closes);
        Rig rig;
        Busyness_Rules rules(rig.factory);
        bool stillOpen = false;
        rig.ui.runner.script = [&](QDialog &dialog) {
            GUI &form = *GUI::instance();
            if (pendingEdit)
                form.cboRemoteLanguage->setCurrentIndex(4);
            form.findChild<QPushButton *>(button)->click();
            stillOpen = dialog.isVisible();
        };
        QVERIFY(rules.Shown(1, 1, QString()).asBoolean());
        QCOMPARE(stillOpen, !closes);
    }
};

QTEST_MAIN(HandlersTest)
#include "tst_handlers.moc"
