// The dialog's list handlers on the real form: a choice marks the partition
// as changed, PLAY reveals the message number, and a selector entry without a
// number is reported.
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
};

QTEST_MAIN(HandlersTest)
#include "tst_handlers.moc"
