// Moving between partitions on the real dialog: the four picture buttons and
// their shortcuts, the partition selector and the Defaults button, with the
// question about unsaved edits, the messages at the ends of the list, the
// button states, read-only access and the handlers' error boxes.
#include "DialogRig.h"

#include "data/Rowset.h"
#include "dialog/GUI.h"
#include "dialog/ListControls.h"
#include "rules/Busyness_Rules.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTest>

using namespace testing;

namespace {

const QString kQuestion = QStringLiteral("Confirmation: Do you want to save changes? (YesNo, Question)");
const QString kTooFew = QStringLiteral("Information: Too few Digits (OK, Information)");

// A click on the named button, a pick of entry "list N", or a key sequence
// typed while the name box has the focus.
void trigger(GUI &form, const QString &action)
{
    if (auto *button = form.findChild<QPushButton *>(action)) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else if (action.startsWith(QLatin1String("list "))) {
        form.cboPartitionNumber->setCurrentIndex(action.mid(5).toInt());
    } else {
        form.txtPartitionName->setFocus();
        QTest::keySequence(form.txtPartitionName, QKeySequence(action));
    }
}

// Number, name, position, selected entry and the first node maximum on screen.
QString shown(const GUI &form)
{
    return QStringList{form.txtPartitionNumber->text(), form.txtPartitionName->text(), form.txtIDFraction->text(),
                       form.cboPartitionNumber->currentText(), form.txtNode[0]->text()}
        .join(QLatin1Char('|'));
}

// The partition list of configuration 3 without the partitions named.
QString listWithout(const DialogRig &rig, const QStringList &dropped)
{
    const RecordSet all = rig.store->partitions(3);
    RecordSet fewer(all.fields());
    for (const RecordSet::Row &row : all.rows())
        if (!dropped.contains(row.at(1).toText()))
            fewer.addRow(row);
    return rowset::write(fewer);
}

} // namespace

class NavigationTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { GUI::unload(); }

    // The list of configuration 3 is 0 Template, 1 Alpha, 4 Bravo, 12 Charlie;
    // partition 7 is configuration 4's only one.
    void moves_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("code"); // typed with an edit; null: no edit
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("after");   // number|name|position|entry|first node maximum
        QTest::addColumn<QString>("buttons"); // First, Previous, Next, Last, Defaults, Apply
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("reads"); // settings loads
        QTest::addColumn<QString>("storedLimit");
        const QString bravo = "4|Bravo|3 of 4|4 - Bravo|7";
        const QString charlie = "12|Charlie|4 of 4|12 - Charlie|15";
        const QString templ = "0|Template|1 of 4|0 - Template|3";
        const QStringList none;
        const QString noEdit;
        QTest::newRow("Next") << "" << 1 << noEdit << none << "cmdNext" << bravo << "111110" << none << 2 << "2";
        QTest::newRow("Ctrl+PgDown as Next") << "" << 1 << noEdit << none << "Ctrl+PgDown" << bravo << "111110"
                                             << none << 2 << "2";
        QTest::newRow("Next onto the last") << "" << 4 << noEdit << none << "cmdNext" << charlie << "110010" << none
                                            << 2 << "3";
        QTest::newRow("Previous onto the first") << "" << 1 << noEdit << none << "cmdPrevious" << templ << "001100"
                                                 << none << 2 << "2";
        QTest::newRow("Ctrl+PgUp as Previous") << "" << 12 << noEdit << none << "Ctrl+PgUp" << bravo << "111110"
                                               << none << 2 << "7";
        QTest::newRow("Ctrl+Home as First") << "" << 4 << noEdit << none << "Ctrl+Home" << templ << "001100"
                                            << none << 2 << "3";
        QTest::newRow("Ctrl+End as Last") << "" << 1 << noEdit << none << "Ctrl+End" << charlie << "110010" << none
                                          << 2 << "2";
        QTest::newRow("pick the entry of 12") << "" << 0 << noEdit << none << "list 3" << charlie << "110010"
                                              << none << 1 << "5";
        QTest::newRow("pick the first, then a middle entry") << "" << 4 << noEdit << none << "list 0, list 2"
                                                             << bravo << "111110" << none << 2 << "3";
        QTest::newRow("read only: Next") << "r" << 0 << noEdit << none << "cmdNext" << "1|Alpha|2 of 4|1 - Alpha|4"
                                         << "111100" << none << 2 << "5";
        QTest::newRow("one partition: Ctrl+PgDown does nothing")
            << "" << 7 << noEdit << none << "Ctrl+PgDown" << "7|Solo|1 of 1|7 - Solo|10" << "000010" << none << 0
            << "";
        QTest::newRow("No: the next partition over the edits") << "" << 1 << "1111" << QStringList{"No"} << "cmdNext"
                                                               << bravo << "111110" << QStringList{kQuestion} << 2
                                                               << "2";
        QTest::newRow("Yes: saved, then moved") << "" << 1 << "1111" << QStringList{"Yes"} << "cmdNext" << bravo
                                                << "111110" << QStringList{kQuestion} << 2 << "9";
        QTest::newRow("Yes with a short code: moved unsaved") << "" << 1 << "12" << QStringList{"Yes"} << "cmdNext"
                                                              << bravo << "111110" << QStringList{kQuestion, kTooFew}
                                                              << 2 << "2";
        QTest::newRow("a pick with an edit asks") << "" << 1 << "1111" << QStringList{"No"} << "list 3" << charlie
                                                  << "110010" << QStringList{kQuestion} << 1 << "2";
        // The defaults' list values differ from Bravo's: those choices enable cmdApply.
        QTest::newRow("Defaults keep the number and position") << "" << 4 << noEdit << none
                                                               << "cmdViewPartitionDefault"
                                                               << "4|Template|3 of 4|4 - Bravo|3" << "111111" << none
                                                               << 1 << "3";
    }
    void moves()
    {
        QFETCH(QString, menu);
        QFETCH(int, start);
        QFETCH(QString, code);
        QFETCH(QStringList, answers);
        QFETCH(QString, actions);
        QFETCH(QString, after);
        QFETCH(QString, buttons);
        QFETCH(QStringList, boxes);
        QFETCH(int, reads);
        QFETCH(QString, storedLimit);
        DialogRig rig;
        rig.answer(boxes, answers);
        bool readWhileIdle = false;
        rig.intercept.partitionSettings = [&](const QString &, const QString &) {
            ++rig.settingsReads;
            readWhileIdle |= rig.ui.pointer.screenPointer() == ui::Pointer::Default;
            return QString();
        };
        QVERIFY(rig.show(start == 7 ? 4 : 3, qint16(start), menu, [&](GUI &form) {
            if (!code.isNull()) {
                typeInto(form.txtPartitionName, QStringLiteral("Edited"));
                form.cboSelectionLimit->setCurrentIndex(9);
                typeInto(form.txtAccessCode, code);
            }
            rig.settingsReads = 0;
            for (const QString &action : actions.split(QStringLiteral(", ")))
                trigger(form, action);
            QCOMPARE(shown(form), after);
            QCOMPARE(navigationStates(form) + (ownEnabled(form.cmdApply) ? "1" : "0"), buttons);
            form.cmdApply->setEnabled(false); // nothing to ask when the dialog closes
        }));
        QCOMPARE(rig.boxes(), boxes);
        QCOMPARE(rig.settingsReads, reads);
        QVERIFY(!readWhileIdle);
        QCOMPARE(rig.ui.pointer.screenPointer(), ui::Pointer::Default);
        QCOMPARE(rig.stored(qint16(start), "SelectLimit"), storedLimit);
    }

    // Another administrator removed partitions: after a save the list no
    // longer matches the buttons, which then meet an end or a gap. Each move
    // starts with an edit, so it asks first and reloads nothing; whatever its
    // way out, the next pick with an edit asks again.
    void endsOfAListThatChanged_data()
    {
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("shows");
        QTest::newRow("Next after the last went") << QStringList{"12"} << "cmdNext"
                                                  << QStringList{"(default): No more record (OK, None)"};
        QTest::newRow("Previous after the first went") << QStringList{"0", "1"} << "cmdPrevious"
                                                       << QStringList{"(default): Begin record (OK, None)"};
        QTest::newRow("First on the first") << QStringList{"0", "1"} << "cmdFirst" << QStringList{};
        QTest::newRow("Last on the last") << QStringList{"12"} << "cmdLast" << QStringList{};
        QTest::newRow("Previous with the shown one gone")
            << QStringList{"4"} << "cmdPrevious"
            << QStringList{"Internal Error: Inactive Business Rules\r\nVEL_PART_SET:cmdPrevious_Click \r\n"
                           "Invalid property array index (OK, Critical)"};
    }
    void endsOfAListThatChanged()
    {
        QFETCH(QStringList, dropped);
        QFETCH(QString, action);
        QFETCH(QStringList, shows);
        DialogRig rig;
        const QStringList expected = QStringList{kQuestion} + shows + QStringList{kQuestion};
        rig.answer(expected, {"No", "No"});
        QVERIFY(rig.show(3, 4, QString(), [&](GUI &form) {
            const QString shorter = listWithout(rig, dropped);
            rig.intercept.partitions = [shorter](const QString &) { return shorter; };
            form.cboSelectionLimit->setCurrentIndex(8);
            QTest::mouseClick(form.cmdApply, Qt::LeftButton); // saves and rebuilds the list
            QCOMPARE(rig.stored(4, "SelectLimit"), QStringLiteral("8"));
            form.cboSelectionLimit->setCurrentIndex(6);
            rig.settingsReads = 0;
            trigger(form, action);
            QCOMPARE(rig.settingsReads, 0);
            QCOMPARE(form.txtPartitionNumber->text(), QStringLiteral("4"));
            QVERIFY(!ownEnabled(form.cmdApply));
            form.cboSelectionLimit->setCurrentIndex(7);
            const int other = (form.cboPartitionNumber->currentIndex() + 1) % form.cboPartitionNumber->count();
            form.cboPartitionNumber->setCurrentIndex(other);
        }));
        QCOMPARE(rig.boxes(), expected);
    }

    // A handler's failure shows the dialog's error box under its own name;
    // here the form runs without a rules object (error 91).
    void handlerErrorsAreBoxed_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("error");
        const QString notSet = "Object variable or With block variable not set";
        QTest::newRow("First") << "cmdFirst" << "cmdFirst_Click" << notSet;
        QTest::newRow("Previous") << "cmdPrevious" << "cmdPrevious_Click" << notSet;
        QTest::newRow("Next") << "cmdNext" << "cmdNext_Click" << notSet;
        QTest::newRow("Last") << "cmdLast" << "cmdLast_Click" << notSet;
        QTest::newRow("Defaults") << "cmdViewPartitionDefault" << "cmdViewPartitionDefault_Click" << notSet;
        QTest::newRow("a pick") << "list 1" << "cboPartitionNumber_Click" << notSet;
        QTest::newRow("Apply beyond 16 bits") << "cmdApply" << "cmdApply_Click" << "Overflow";
    }
    void handlerErrorsAreBoxed()
    {
        QFETCH(QString, action);
        QFETCH(QString, location);
        QFETCH(QString, error);
        ScriptedUi ui;
        ui.boxes.expect(ui::Answer::OK);
        GUI &form = GUI::load();
        form.Load_Combo_Lists();
        listControls::appendItem(form.cboPartitionNumber, QStringLiteral("1 - One"), 1);
        listControls::appendItem(form.cboPartitionNumber, QStringLiteral("2 - Two"), 2);
        form.show();
        if (action == QLatin1String("cmdApply")) {
            form.cboSelectionLimit->setCurrentIndex(3);
            typeInto(form.txtAccessCode, QStringLiteral("1234"));
            const QSignalBlocker unchecked(form.txtRecTimeMin); // past the field's own limit
            form.txtRecTimeMin->setText(QStringLiteral("600"));
        }
        trigger(form, action);
        QCOMPARE(ui.boxes.shown().size(), 1);
        QCOMPARE(ui.boxes.shown().at(0).text,
                 "Inactive Business Rules\r\nVEL_PART_SET:" + location + " \r\n" + error);
        QCOMPARE(ownEnabled(form.cmdApply), action == QLatin1String("cmdApply"));
    }

    // The selector's lookup by partition number follows every change to the
    // list. Steps: "add N" (text "N" for "addText N"), "set ROW N", "remove
    // ROW", "clear", and "find N=ROW" (-1: none).
    void lookupFollowsTheList_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::newRow("first of a repeated number") << "add 5, add 7, add 5, find 5=0, find 7=1, find 6=-1";
        QTest::newRow("data changed later") << "add 5, add 7, find 7=1, set 1 9, find 9=1, find 7=-1";
        QTest::newRow("a row removed") << "add 5, add 7, add 9, find 9=2, remove 0, find 9=1, find 5=-1";
        QTest::newRow("cleared and filled again") << "add 5, add 7, find 7=1, clear, add 7, find 7=0";
        QTest::newRow("a text that reads as the number") << "addText 5, add 7, find 7=1, find 5=0";
    }
    void lookupFollowsTheList()
    {
        QFETCH(QString, steps);
        QComboBox list;
        for (const QString &step : steps.split(QStringLiteral(", "))) {
            const QStringList word = step.split(QRegularExpression(QStringLiteral("[ =]")));
            QVERIFY2(word.size() >= 1, qPrintable(step));
            const QVariant number = word.size() > 1 ? QVariant(word.at(1).toInt()) : QVariant();
            if (word.at(0) == QLatin1String("add"))
                listControls::appendItem(&list, word.at(1), number);
            else if (word.at(0) == QLatin1String("addText"))
                listControls::appendItem(&list, word.at(1), word.at(1));
            else if (word.at(0) == QLatin1String("set"))
                list.setItemData(number.toInt(), word.value(2).toInt());
            else if (word.at(0) == QLatin1String("remove"))
                list.removeItem(number.toInt());
            else if (word.at(0) == QLatin1String("clear"))
                listControls::clear(&list);
            else
                QCOMPARE(listControls::findItemData(&list, number.toInt(), list.count()), word.value(2).toInt());
        }
    }

    void picturesNameTheirMoves()
    {
        GUI &form = GUI::load();
        QCOMPARE(form.cmdFirst->accessibleName(), QStringLiteral("First partition"));
        QCOMPARE(form.cmdPrevious->toolTip(), QStringLiteral("Previous partition (Ctrl+PgUp)"));
        QCOMPARE(form.cmdNext->toolTip(), QStringLiteral("Next partition (Ctrl+PgDown)"));
        QCOMPARE(form.cmdLast->accessibleName(), QStringLiteral("Last partition"));
    }
};

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"
