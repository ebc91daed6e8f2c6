// Loading a configuration into the real dialog against a temporary store:
// the partition selector, one partition's settings, the node grid, the PLAY
// message list, the access modes, the navigation buttons, and opening a
// partition that does not exist yet. Every message box is scripted.
#include "Rig.h"
#include "StoreHooks.h"

#include "components/AnswerColumns.h"
#include "data/Rowset.h"
#include "dialog/GUI.h"
#include "dialog/ListControls.h"
#include "dialog/Twips.h"
#include "rules/Busyness_Rules.h"
#include "server/AnswerLayouts.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using testing::Rig;

namespace {

namespace setting = columns::settings;

// The store's settings answer for a partition, with some fields replaced.
QString settingsAnswer(Rig &rig, qint16 config, qint16 partition, const QHash<QString, Variant> &changes)
{
    RecordSet stored = rig.store->partitionSettings(config, partition);
    RecordSet changed(stored.fields());
    RecordSet::Row row = stored.rows().first();
    for (auto it = changes.begin(); it != changes.end(); ++it)
        row[stored.fieldIndex(it.key())] = it.value();
    changed.addRow(row);
    return rowset::write(changed);
}

// Makes configuration 1 answer the store's settings of one partition with
// some fields replaced; other partitions answer as stored.
void replaceSettings(Rig &rig, qint16 partition, const QHash<QString, Variant> &changes)
{
    const QString answer = settingsAnswer(rig, 1, partition, changes);
    const QString number = QString::number(partition);
    rig.intercept.partitionSettings = [answer, number](const QString &, const QString &p) {
        return p == number ? answer : QString();
    };
}

// A partition list answer, numbers as text; a null number or name stands for an absent value.
QString partitionsAnswer(const QList<QPair<Variant, Variant>> &rows)
{
    QList<FieldInfo> layout = server::layouts::partitionList();
    layout[columns::partitionList::PartitionID.position].dataType = QStringLiteral("string");
    RecordSet list(layout);
    for (const auto &[number, name] : rows)
        list.addRow({Variant::integer(1), number, name});
    return rowset::write(list);
}

// Node maxima rows (node type, maximum) in the order given.
QString maximaAnswer(const QList<QPair<int, int>> &rows)
{
    RecordSet maxima(server::layouts::nodeMaxima());
    for (const auto &[type, maximum] : rows)
        maxima.addRow({Variant::integer(1), Variant::integer(1), Variant::integer(type), Variant::integer(maximum)});
    return rowset::write(maxima);
}

// A node type list of ids 0 and 100, 101, ... (count types in all).
QString nodeTypesAnswer(int count)
{
    RecordSet types(server::layouts::nodeTypes());
    for (int i = 0; i < count; ++i) {
        const int id = i == 0 ? 0 : 99 + i;
        types.addRow({Variant::integer(id), Variant::text(QStringLiteral("Type %1").arg(id)),
                      Variant::text(QStringLiteral("Type F %1").arg(id))});
    }
    return rowset::write(types);
}

QList<QPair<int, int>> firstNodeTypes(int count)
{
    QList<QPair<int, int>> rows;
    for (int i = 0; i < count; ++i)
        rows.append({i == 0 ? 0 : 99 + i, 7});
    return rows;
}

QStringList entries(const QComboBox *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->itemText(i));
    return texts;
}

QList<int> shownNodeTypes(const GUI &form)
{
    QList<int> ids;
    for (int row = 0; row < 20; ++row)
        if (!form.txtNode[row]->isHidden())
            ids.append(form.lblNodeTypeID[row]->text().toInt());
    return ids;
}

bool ownEnabled(const QWidget *widget) { return !widget->testAttribute(Qt::WA_Disabled); }

// Opens the form as Shown prepares it, without showing it.
GUI &openForm(Busyness_Rules &rules)
{
    GUI &form = GUI::load();
    form.Busyness_Rules(&rules);
    form.Load_Language_Dependant_Parts();
    form.Load_Combo_Lists();
    rules.Obtain_All_Node_Type_Name(1);
    return form;
}

struct FormCloser
{
    ~FormCloser() { GUI::unload(); }
};

// An open dialog whose node grid loads the first `rows` of a list of node
// types (ids 0, 100, 101, ...), as many as the test asks for at each load.
class GridDialog
{
public:
    explicit GridDialog(int listedTypes = 20) : rules(rig.factory), form(openForm(rules))
    {
        rig.intercept.nodeMaxima = [this](const QString &, const QString &) {
            return maximaAnswer(firstNodeTypes(m_rows));
        };
        rig.intercept.nodeTypes = [listedTypes] { return nodeTypesAnswer(listedTypes); };
        rules.Obtain_All_Node_Type_Name(1);
    }
    ~GridDialog() { GUI::unload(); }

    void load(int rows, qint16 partition = 1)
    {
        m_rows = rows;
        rules.Get_Node_Type_Max(1, partition);
    }

    Rig rig;
    Busyness_Rules rules;
    GUI &form;

private:
    int m_rows = 0;
};

} // namespace

class LoadingTest : public QObject
{
    Q_OBJECT

private slots:
    void timesShowAsMinutesAndSeconds_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QStringList>("shown"); // recording min and sec, time limit min and sec
        QTest::newRow("0") << 0 << QStringList{"00", "00", "00", "00"};
        QTest::newRow("59") << 59 << QStringList{"00", "59", "00", "59"};
        QTest::newRow("60") << 60 << QStringList{"01", "00", "01", "00"};
        QTest::newRow("125") << 125 << QStringList{"02", "05", "02", "05"};
        QTest::newRow("600") << 600 << QStringList{"10", "00", "10", "00"};
        QTest::newRow("31 minutes: the time limit shows its highest") << 1860 << QStringList{"31", "00", "30", "00"};
        QTest::newRow("121 minutes: too many digits for the time limit")
            << 7260 << QStringList{"121", "00", "", "00"};
    }
    void timesShowAsMinutesAndSeconds()
    {
        QFETCH(int, seconds);
        QFETCH(QStringList, shown);
        Rig rig;
        replaceSettings(rig, 1, {{setting::TotalRecTime.name, Variant::integer(seconds)},
                                 {setting::TimeLimit.name, Variant::integer(seconds)}});
        Busyness_Rules rules(rig.factory);
        QStringList boxes;
        rig.ui.runner.script = [&](QDialog &) {
            const GUI &form = *GUI::instance();
            boxes = {form.txtRecTimeMin->text(), form.txtRecTimeSec->text(), form.txtTimeLimitMin->text(),
                     form.txtTimeLimitSec->text()};
        };
        rules.Shown(1, 1, QString());
        QCOMPARE(boxes, shown);
    }

    void settingsFillTheFields()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        QStringList shown;
        rig.ui.runner.script = [&](QDialog &) {
            const GUI &form = *GUI::instance();
            shown = {form.txtPartitionNumber->text(), form.txtPartitionName->text(), form.txtAccessCode->text(),
                     form.cboRemoteLanguage->currentText(), form.cboNoMSGRecorded->currentText(),
                     form.cboSelectionLimit->currentText(), form.cboCommand->currentText(),
                     form.txtMSGCmd->text(), form.txtIDFraction->text()};
        };
        QVERIFY(rules.Shown(1, 3, QString()).asBoolean());
        const QStringList expected{"3", "Réception \"Nord\" & <Sud>", "0042", "FRENCH", "IGNORE", "12", "NOOP", "1",
                                   "4 of 6"};
        QCOMPARE(shown, expected);
    }

    void aValueNoneOfTheListsItemsHasStopsTheLoad()
    {
        Rig rig;
        replaceSettings(rig, 2, {{setting::REMLanguage.name, Variant::text(QStringLiteral("KLINGON"))}});
        Busyness_Rules rules(rig.factory);
        GUI &form = openForm(rules);
        FormCloser closer;
        rules.Get_Partition_Settings(1, 1, false);
        rig.ui.boxes.expect(ui::Answer::OK);
        rules.Get_Partition_Settings(1, 2, false);
        QCOMPARE(rig.ui.boxes.shown().first().text, QStringLiteral("VEL_PART_SET:Get_Partition_Settings \r\n"
                                                                   "'Text' property is read-only\r\n"
                                                                   "Inactive Business Rules"));
        QCOMPARE(form.txtAccessCode->text(), QStringLiteral("55501"));  // written before the failure
        QCOMPARE(form.cboRemoteLanguage->currentText(), QStringLiteral("SPANISH"));
        QCOMPARE(form.txtTimeLimitMin->text(), QStringLiteral("02"));    // never reached
    }

    void aStoredValueThatBreaksItsRuleShowsTheLastAccepted_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("accepted");
        QTest::addColumn<QString>("refused");
        QTest::newRow("13-digit access code") << "PartitionAccessCode" << "txtAccessCode" << "4321" << "1234567890123";
        QTest::newRow("4-digit message number") << "MSGNo" << "txtMSGCmd" << "7" << "1000";
    }
    void aStoredValueThatBreaksItsRuleShowsTheLastAccepted()
    {
        QFETCH(QString, field);
        QFETCH(QString, box);
        QFETCH(QString, accepted);
        QFETCH(QString, refused);
        Rig rig;
        Busyness_Rules rules(rig.factory);
        GUI &form = openForm(rules);
        FormCloser closer;
        replaceSettings(rig, 2, {{field, Variant::text(accepted)}});
        rules.Get_Partition_Settings(1, 2, false);
        replaceSettings(rig, 2, {{field, Variant::text(refused)}});
        rules.Get_Partition_Settings(1, 2, false);
        QCOMPARE(form.findChild<QLineEdit *>(box)->text(), accepted);
    }

    void emptyNameKeepsThePreviousName()
    {
        Rig rig;
        replaceSettings(rig, 2, {{setting::Name.name, Variant::text(QString())}});
        Busyness_Rules rules(rig.factory);
        GUI &form = openForm(rules);
        FormCloser closer;
        rules.Get_Partition_Settings(1, 1, false);
        QCOMPARE(form.txtPartitionName->text(), QStringLiteral("Sales"));
        rules.Get_Partition_Settings(1, 2, false);
        QCOMPARE(form.txtPartitionName->text(), QStringLiteral("Sales"));
        QCOMPARE(form.cboSelectionLimit->currentText(), QStringLiteral("25")); // the rest did load
    }

    void defaultViewKeepsThePartitionShown()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        QStringList before;
        QStringList after;
        QString name;
        rig.ui.runner.script = [&](QDialog &) {
            const GUI &form = *GUI::instance();
            auto position = [&] {
                return QStringList{form.txtPartitionNumber->text(), form.cboPartitionNumber->currentText(),
                                   form.txtIDFraction->text()};
            };
            before = position();
            rules.Get_Partition_Settings(1, 0, true);
            after = position();
            name = form.txtPartitionName->text();
            rig.ui.boxes.expect(ui::Answer::No); // the loaded lists count as edits when the dialog closes
        };
        rules.Shown(1, 2, QString());
        QCOMPARE(before, QStringList({"2", "2 - Support", "3 of 6"}));
        QCOMPARE(after, before);
        QCOMPARE(name, QStringLiteral("Default Partition"));
    }

    void selectorListsNumberedNamedRows()
    {
        Rig rig;
        rig.intercept.partitions = [](const QString &) {
            return partitionsAnswer({{Variant::text("0"), Variant::text("Default Partition")},
                                     {Variant::text("3"), Variant::text("Sales")},
                                     {Variant(), Variant::text("No number")},
                                     {Variant::text(""), Variant::text("Empty number")},
                                     {Variant::text("7"), Variant::text("")},
                                     {Variant::text("8"), Variant()}});
        };
        Busyness_Rules rules(rig.factory);
        GUI &form = openForm(rules);
        FormCloser closer;
        rules.Get_Partitions(1);
        QCOMPARE(entries(form.cboPartitionNumber), QStringList({"0 - Default Partition", "3 - Sales"}));
        QCOMPARE(form.cboPartitionNumber->itemData(1).toInt(), 3);
        QCOMPARE(form.cboPartitionNumber->currentIndex(), -1);
        QCOMPARE(int(rules.MaxPartition()), 4);

        rig.intercept.partitions = {};
        rules.Get_Partitions(1);
        QCOMPARE(form.cboPartitionNumber->count(), 6);
        QCOMPARE(form.cboPartitionNumber->itemText(0), QStringLiteral("0 - Default Partition"));
        QCOMPARE(int(rules.MaxPartition()), 6);
        QVERIFY(rig.ui.boxes.shown().isEmpty());
    }

    void moreCountedThanListedFailsGetData()
    {
        Rig rig;
        rig.intercept.partitions = [](const QString &) {
            return partitionsAnswer({{Variant::text("0"), Variant::text("Default Partition")},
                                     {Variant::text("7"), Variant()}});
        };
        Busyness_Rules rules(rig.factory);
        rig.ui.boxes.expect(ui::Answer::OK);
        // Partition 1 is not listed, so the search runs past the last entry.
        QVERIFY(rules.Shown(1, 1, QString()).asBoolean());
        QCOMPARE(rig.ui.runner.runs, 0);
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
        QCOMPARE(rig.ui.boxes.shown().first().text, QStringLiteral("VEL_PART_SET:Get_Data \r\n"
                                                                   "Invalid property array index\r\n"
                                                                   "Inactive Business Rules"));
        QVERIFY(rules.ErrDescription().isEmpty());
    }

    void storedMaximaInNodeTypeOrder()
    {
        Rig rig;
        rig.intercept.nodeMaxima = [](const QString &, const QString &) {
            return maximaAnswer({{16, 150}, {2, 3}, {999, 1}, {10, 1}, {0, 12}, {5, 4}});
        };
        Busyness_Rules rules(rig.factory);
        GUI &form = openForm(rules);
        FormCloser closer;
        rules.Get_Node_Type_Max(1, 1);
        QCOMPARE(shownNodeTypes(form), QList<int>({0, 2, 5, 16}));
        QCOMPARE(form.lblNode[1]->text(), QStringLiteral("Station"));
        QCOMPARE(form.txtNode[3]->text(), QStringLiteral("99")); // type 16 shows at most 99
        QCOMPARE(int(rules.NodeTypeCount()), 4);
        QCOMPARE(form.Get_strMSG(), QStringLiteral("MSG"));
        QCOMPARE(int(form.Get_iMaxMSG()), 12);
    }

    void missingMaximaGetDefaultsStoredForPartitionZero()
    {
        Rig rig;
        testing::seedPartitions(*rig.store, 3, 2);
        Busyness_Rules rules(rig.factory);
        GUI &form = openForm(rules);
        FormCloser closer;
        rules.Get_Node_Type_Max(3, 1);

        const QList<int> expectedTypes{0, 1, 2, 3, 4, 5, 6, 7, 14, 15, 16, 20};
        QCOMPARE(shownNodeTypes(form), expectedTypes);
        QHash<int, int> stored;
        RecordSet zero = rig.store->nodeMaxima(3, 0);
        for (; !zero.isEOF(); zero.MoveNext())
            stored.insert(int(zero.Fields(columns::nodeMaxima::NodeType_ID.position).asInteger()),
                          int(zero.Fields(columns::nodeMaxima::Max_Number.position).asInteger()));
        QCOMPARE(stored.size(), expectedTypes.size());
        for (int row = 0; row < expectedTypes.size(); ++row) {
            const int type = expectedTypes[row];
            const int expected = type == 5 ? 9 : (type >= 14 && type <= 16) ? 99 : 999;
            QCOMPARE(stored.value(type), expected);
            QCOMPARE(form.txtNode[row]->text(), QString::number(expected));
        }
        QCOMPARE(rig.store->nodeMaxima(3, 1).RecordCount(), 0);
    }

    void gridSizeFollowsTheRows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("9 rows fit") << 9 << 3500 << -115 << false;
        QTest::newRow("10 rows scroll") << 10 << 3860 << 245 << true;
        QTest::newRow("19 rows") << 19 << 7100 << 3485 << true;
    }
    void gridSizeFollowsTheRows()
    {
        QFETCH(int, rows);
        QFETCH(int, height);
        QFETCH(int, maximum);
        QFETCH(bool, scrolls);
        GridDialog grid;
        grid.load(rows);
        QCOMPARE(twips::height(grid.form.picNode), height);
        QCOMPARE(grid.form.VScroll1->maximum(), maximum);
        QCOMPARE(ownEnabled(grid.form.VScroll1), scrolls);
        QCOMPARE(shownNodeTypes(grid.form).size(), rows);
    }

    void fewerRowsHideTheRest()
    {
        GridDialog grid;
        grid.load(12);
        QCOMPARE(shownNodeTypes(grid.form).size(), 12);
        grid.load(5, 2);
        for (int row = 0; row < 20; ++row) {
            QCOMPARE(grid.form.txtNode[row]->isHidden(), row >= 5);
            QCOMPARE(grid.form.lblNode[row]->isHidden(), row >= 5);
        }
    }

    void tooManyNodeTypesForTheGrid()
    {
        GridDialog grid(21);
        grid.rig.ui.boxes.expect(ui::Answer::OK);
        grid.load(21);
        QCOMPARE(grid.rig.ui.boxes.shown().size(), 1);
        QCOMPARE(grid.rig.ui.boxes.shown().first().text,
                 QStringLiteral("VEL_PART_SET:Get_Node_Type_Max \r\nSubscript out of range\r\nInactive Business Rules"));
        QCOMPARE(shownNodeTypes(grid.form).size(), 20); // the rows filled before stay
    }

    void positionTextAndItsAbsence()
    {
        Rig rig;
        testing::seedPartitions(*rig.store, 5, 7);
        Busyness_Rules rules(rig.factory);
        QString fraction;
        QString unchanged;
        rig.ui.runner.script = [&](QDialog &) {
            GUI &form = *GUI::instance();
            fraction = form.txtIDFraction->text();
            rig.intercept.partitions = [](const QString &) {
                return partitionsAnswer({{Variant::text("0"), Variant::text("Default Partition")}});
            };
            rules.Get_Partitions(5);
            rules.Get_Partition_Settings(5, 4, false);
            unchanged = form.txtIDFraction->text();
            form.cmdApply->setEnabled(false); // the load is no edit to ask about
        };
        rules.Shown(5, 2, QString());
        QCOMPARE(fraction, QStringLiteral("3 of 7"));
        QCOMPARE(unchanged, QStringLiteral("3 of 7"));
    }

    void playWithNoMessages()
    {
        Rig rig;
        rig.intercept.nodeMaxima = [](const QString &, const QString &) { return maximaAnswer({{0, 0}, {5, 2}}); };
        Busyness_Rules rules(rig.factory);
        QStringList items;
        bool listHidden = false;
        bool boxShown = false;
        rig.ui.runner.script = [&](QDialog &) {
            const GUI &form = *GUI::instance();
            items = entries(form.cboMSGCmd);
            listHidden = form.cboMSGCmd->isHidden();
            boxShown = !form.txtMSGCmd->isHidden();
        };
        rules.Shown(1, 4, QString()); // Night: PLAY, message number 0
        QCOMPARE(items, QStringList({"MSG 0"}));
        QVERIFY(listHidden);
        QVERIFY(boxShown);
    }

    void otherCommandHidesTheMessageControls()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        bool bothHidden = false;
        int itemsBefore = -1;
        int itemsAfter = -1;
        rig.ui.runner.script = [&](QDialog &) {
            const GUI &form = *GUI::instance();
            itemsBefore = form.cboMSGCmd->count(); // Sales: PLAY
            form.cboPartitionNumber->setCurrentIndex(2); // Support: NOOP
            bothHidden = form.cboMSGCmd->isHidden() && form.txtMSGCmd->isHidden();
            itemsAfter = form.cboMSGCmd->count();
        };
        rules.Shown(1, 1, QString());
        QVERIFY(bothHidden);
        QVERIFY(itemsBefore > 0);
        QCOMPARE(itemsAfter, itemsBefore); // the list keeps its former items
    }

    void getDataForAPartitionMissingFromTheSelector()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        bool loaded = false;
        int selected = -1;
        QString name;
        rig.ui.runner.script = [&](QDialog &) {
            const GUI &form = *GUI::instance();
            rig.intercept.partitions = [](const QString &) {
                return partitionsAnswer({{Variant::text("0"), Variant::text("Default Partition")},
                                         {Variant::text("1"), Variant::text("Sales")}});
            };
            rules.Get_Partitions(1);
            listControls::selectIndex(GUI::instance()->cboPartitionNumber, 1);
            rules.Partition_ID(2);
            loaded = rules.Get_Data();
            selected = form.cboPartitionNumber->currentIndex();
            name = form.txtPartitionName->text();
            rig.ui.boxes.expect(ui::Answer::No); // the loaded lists count as edits when the dialog closes
        };
        rules.Shown(1, 1, QString());
        QVERIFY(loaded);
        QCOMPARE(selected, 1); // the selector stays where it was
        QCOMPARE(name, QStringLiteral("Support"));
        QVERIFY(!rules.FirstLoad());
    }

    void reloadSelectsThePartitionOnScreen()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        QString selected;
        QString name;
        rig.ui.runner.script = [&](QDialog &) {
            GUI &form = *GUI::instance();
            form.txtPartitionNumber->setText(QStringLiteral("3"));
            rules.ReloadPartitionCombo();
            selected = form.cboPartitionNumber->currentText();
            name = form.txtPartitionName->text();
        };
        rules.Shown(1, 1, QString());
        QCOMPARE(selected, QStringLiteral("3 - Réception \"Nord\" & <Sud>"));
        QCOMPARE(name, QStringLiteral("Sales")); // the selection did not load partition 3
        QCOMPARE(int(rules.Partition_ID()), 1);
        QVERIFY(!rules.FirstLoad());
        QVERIFY(rig.ui.boxes.shown().isEmpty());
    }

    void reloadWithoutANumberOnScreen()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        rig.ui.boxes.expect(ui::Answer::OK);
        int listed = -1;
        rig.ui.runner.script = [&](QDialog &) {
            GUI &form = *GUI::instance();
            form.txtPartitionNumber->clear();
            rules.ReloadPartitionCombo();
            listed = form.cboPartitionNumber->count();
        };
        rules.Shown(1, 1, QString());
        QCOMPARE(listed, 6); // refilled before the failure
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
        QCOMPARE(rig.ui.boxes.shown().first().text,
                 QStringLiteral("VEL_PART_SET:ReloadPartitionCombo \r\nType mismatch\r\nInactive Business Rules"));
    }

    void theScrollBarMovesTheSheet()
    {
        GridDialog grid;
        QScrollBar *bar = grid.form.VScroll1;
        grid.load(19);
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(twips::top(grid.form.picNode), -360); // an arrow moves one row
        bar->setValue(bar->maximum());
        QCOMPARE(twips::top(grid.form.picNode), -3485);
        grid.load(12, 2);
        QCOMPARE(bar->maximum(), 965);
        QCOMPARE(twips::top(grid.form.picNode), -965);
        grid.load(9, 3);
        QCOMPARE(twips::top(grid.form.picNode), 0);
    }

    void accessModes_data()
    {
        QTest::addColumn<QString>("menuOption");
        QTest::addColumn<bool>("denied");
        QTest::addColumn<bool>("editable");
        QTest::newRow("x: no access") << "x" << true << true;
        QTest::newRow("X: full access") << "X" << false << true;
        QTest::newRow("r: read only") << "r" << false << false;
        QTest::newRow("empty: full access") << "" << false << true;
    }
    void accessModes()
    {
        QFETCH(QString, menuOption);
        QFETCH(bool, denied);
        QFETCH(bool, editable);
        Rig rig;
        Busyness_Rules rules(rig.factory);
        bool frameShown = false;
        bool selectionDone = false;
        int listed = -1;
        QList<bool> panels;
        QList<bool> navigation;
        rig.ui.runner.script = [&](QDialog &) {
            const GUI &form = *GUI::instance();
            // Shown means in view: the frame covers the settings, and OK stays reachable.
            frameShown = !form.frmAccessDenied->isHidden()
                         && twips::top(form.frmAccessDenied) <= twips::top(form.PicDetail)
                         && twips::top(form.frmAccessDenied) + twips::height(form.frmAccessDenied)
                                <= twips::top(form.cmdOK);
            selectionDone = !rules.FirstLoad();
            listed = form.cboPartitionNumber->count();
            panels = {ownEnabled(form.PicDetail), ownEnabled(form.picNode), ownEnabled(form.cmdViewPartitionDefault)};
            navigation = {ownEnabled(form.cmdFirst), ownEnabled(form.cmdPrevious), ownEnabled(form.cmdNext),
                          ownEnabled(form.cmdLast)};
        };
        QVERIFY(rules.Shown(1, 2, menuOption).asBoolean());
        QCOMPARE(frameShown, denied);
        QCOMPARE(listed, denied ? 0 : 6);
        QCOMPARE(selectionDone, !denied); // no list, no entry to place the selector on
        if (!denied) {
            QCOMPARE(panels, QList<bool>({editable, editable, editable}));
            QCOMPARE(navigation, QList<bool>({true, true, true, true})); // read only leaves them alone
        }
    }

    void initialHidesEveryRow()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        GUI &form = openForm(rules);
        FormCloser closer;
        rules.Get_Partition_Settings(1, 1, false);
        rules.Get_Node_Type_Max(1, 1);
        QVERIFY(!shownNodeTypes(form).isEmpty());
        rules.Initial();
        QVERIFY(shownNodeTypes(form).isEmpty());
        for (int row = 0; row < 20; ++row)
            QVERIFY(form.lblNode[row]->isHidden());
        QVERIFY(form.txtAccessCode->text().isEmpty());
    }

    void navigationButtonsFollowThePosition_data()
    {
        QTest::addColumn<int>("config");
        QTest::addColumn<int>("partition");
        QTest::addColumn<QList<bool>>("enabled"); // First, Previous, Next, Last
        QTest::newRow("only one partition") << 6 << 0 << QList<bool>{false, false, false, false};
        QTest::newRow("first") << 1 << 0 << QList<bool>{false, false, true, true};
        QTest::newRow("middle") << 1 << 3 << QList<bool>{true, true, true, true};
        QTest::newRow("last") << 1 << 12 << QList<bool>{true, true, false, false};
    }
    void navigationButtonsFollowThePosition()
    {
        QFETCH(int, config);
        QFETCH(int, partition);
        QFETCH(QList<bool>, enabled);
        Rig rig;
        testing::seedPartitions(*rig.store, 6, 1);
        Busyness_Rules rules(rig.factory);
        QList<bool> buttons;
        bool applyEnabled = true;
        rig.ui.runner.script = [&](QDialog &) {
            const GUI &form = *GUI::instance();
            buttons = {ownEnabled(form.cmdFirst), ownEnabled(form.cmdPrevious), ownEnabled(form.cmdNext),
                       ownEnabled(form.cmdLast)};
            applyEnabled = ownEnabled(form.cmdApply);
        };
        QVERIFY(rules.Shown(qint16(config), qint16(partition), QString()).asBoolean());
        QCOMPARE(buttons, enabled);
        QVERIFY(!applyEnabled);
    }

    void missingPartitionIsCreatedFromTheDefault()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        QString number;
        QString name;
        rig.ui.runner.script = [&](QDialog &) {
            number = GUI::instance()->txtPartitionNumber->text();
            name = GUI::instance()->txtPartitionName->text();
        };
        QVERIFY(rules.Shown(1, 20, QString()).asBoolean());
        QCOMPARE(number, QStringLiteral("20"));
        QCOMPARE(name, QStringLiteral("Default Partition"));

        RecordSet created = rig.store->partitionSettings(1, 20);
        QCOMPARE(created.RecordCount(), 1);
        const RecordSet template0 = rig.store->partitionSettings(1, 0);
        for (const AnswerColumn &field : {setting::Name, setting::PartitionAccessCode, setting::REMLanguage,
                                          setting::SelectLimit, setting::TimeLimit, setting::Command,
                                          setting::NoMSGRecorded, setting::TotalRecTime})
            QCOMPARE(created.Fields(field.name).toText(), template0.Fields(field.name).toText());
        QCOMPARE(rig.store->nodeMaxima(1, 20).RecordCount(), rig.store->nodeMaxima(1, 0).RecordCount());

        // Opening it again reads the created row and creates nothing.
        rig.store->savePartition([&] {
            server::PartitionRow row;
            row.configId = 1;
            row.partitionId = 20;
            row.name = QStringLiteral("Renamed");
            row.accessCode = QStringLiteral("4321");
            row.remLanguage = QStringLiteral("ENGLISH");
            row.selectLimit = QStringLiteral("0");
            row.command = QStringLiteral("NOOP");
            row.noMsgRecorded = QStringLiteral("IGNORE");
            return row;
        }());
        QVERIFY(rules.Shown(1, 20, QString()).asBoolean());
        QCOMPARE(name, QStringLiteral("Renamed"));
        QVERIFY(rig.ui.boxes.shown().isEmpty());
    }

    void aFailingReadLeavesTheDialogUsable_data()
    {
        QTest::addColumn<bool>("malformed");
        QTest::addColumn<QStringList>("expectedStarts");
        QTest::newRow("server error") << false
                                      << QStringList{"QRVdb.CONFIG:Get_Partition_Settings \r\nserver is down"};
        QTest::newRow("malformed answer")
            << true << QStringList{"VEL_PART_SET:XMLToRS:", "VEL_PART_SET:Get_Partition_Settings \r\nObject variable"};
    }
    void aFailingReadLeavesTheDialogUsable()
    {
        QFETCH(bool, malformed);
        QFETCH(QStringList, expectedStarts);
        Rig rig;
        int calls = 0;
        rig.intercept.partitionSettings = [&](const QString &, const QString &) -> QString {
            if (++calls == 1)
                return {}; // the existence check reads the store
            if (malformed)
                return testing::malformedAnswer();
            throw rt::RuntimeError(-2147220991, QStringLiteral("QRVdb.CONFIG"), QStringLiteral("server is down"));
        };
        for (int i = 0; i < expectedStarts.size(); ++i)
            rig.ui.boxes.expect(ui::Answer::OK);
        Busyness_Rules rules(rig.factory);
        QList<int> shownTypes;
        rig.ui.runner.script = [&](QDialog &) { shownTypes = shownNodeTypes(*GUI::instance()); };
        QVERIFY(rules.Shown(1, 1, QString()).asBoolean());
        QCOMPARE(rig.ui.runner.runs, 1);
        QCOMPARE(rig.ui.boxes.shown().size(), expectedStarts.size());
        for (int i = 0; i < expectedStarts.size(); ++i)
            QVERIFY2(rig.ui.boxes.shown()[i].text.startsWith(expectedStarts[i]), qPrintable(rig.ui.boxes.shown()[i].text));
        QVERIFY(!shownTypes.isEmpty()); // the rest of the partition still loaded
    }
};

QTEST_MAIN(LoadingTest)
#include "tst_loading.moc"
