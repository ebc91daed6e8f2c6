// The access modes as a boundary: in no-access ("x") and read-only ("r")
// showings, keys and clicks on every control of the form, with every question
// answered Yes, change nothing in the store and reach no write component. In
// no access they do not even reach a control under the cover.
#include "DialogRig.h"

#include "partition_settings/dialog/GUI.h"
#include "partition_settings/rules/Busyness_Rules.h"
#include "server/WriteComponents.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace testing;

namespace {

int writes = 0; // calls that reached a write component

// A reference write component that counts its calls before it writes. A
// store-level comparison alone would miss an insert of a row that is there.
#define COUNTED(Real, Operation, Row)                                                                                \
    struct Counted##Real : server::Real                                                                              \
    {                                                                                                                \
        using server::Real::Real;                                                                                    \
        void Operation(const Row &row) override { ++writes, server::Real::Operation(row); }                          \
    };
COUNTED(PartitionInserter, Insert_Partition_Record, PartitionRecord)
COUNTED(PartitionUpdater, Update_Partition_Record, PartitionRecord)
COUNTED(NodeMaxInserter, Insert_Node_Type_Max_Record, NodeTypeMaxRow)
COUNTED(NodeMaxUpdater, Update_Node_Type_Max_Record, NodeTypeMaxRow)

// Puts the counting components in the factory in place of the real ones.
template <typename... Counted> void count(DialogRig &rig)
{
    (rig.factory.registerProgId(Counted::ProgID, [store = rig.store] { return std::make_unique<Counted>(store); }),
     ...);
}

// Every value of every table of the store, row by row.
QStringList dump(const DialogRig &rig)
{
    QStringList values;
    QSqlQuery query(rig.store->database());
    QStringList tables = rig.store->database().tables();
    tables.sort();
    for (const QString &table : tables)
        for (query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2").arg(table)); query.next();)
            for (int i = 0; i < query.record().count(); ++i)
                values << table + u':' + query.value(i).toString();
    return values;
}

// What every control of the form shows: texts, list choices, scroll values.
QStringList shownValues(const GUI &form)
{
    QStringList values;
    for (const QWidget *control : form.findChildren<QWidget *>())
        for (const char *property : {"text", "currentText", "value"})
            values << control->property(property).toString();
    return values;
}

// Where the keys go: the control that has the focus, else the form.
QWidget *focused(GUI &form) { return form.focusWidget() ? form.focusWidget() : &form; }

// Tab through the focus chain typing digits and letters and pressing Down at
// each stop; a click on every control but OK and Cancel, each followed by
// typing; the four moves' shortcuts; then every way of closing.
void playEverything(GUI &form)
{
    for (int stop = 0; stop < 40; ++stop) {
        QTest::keyClicks(focused(form), QStringLiteral("2468x"));
        QTest::keyClick(focused(form), Qt::Key_Down);
        QTest::keyClick(focused(form), Qt::Key_Tab);
    }
    for (QWidget *control : form.findChildren<QWidget *>()) {
        if (control->window() != &form || control == form.cmdOK || control == form.cmdCancel)
            continue;
        QTest::mouseClick(control, Qt::LeftButton);
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        QTest::keyClicks(focused(form), QStringLiteral("9b"));
    }
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_PageDown, Qt::CTRL | Qt::Key_PageUp,
                                       Qt::CTRL | Qt::Key_End, Qt::CTRL | Qt::Key_Home})
        QTest::keySequence(focused(form), QKeySequence(keys));
    QTest::keyClick(focused(form), Qt::Key_Return);
    QTest::keyClick(focused(form), Qt::Key_Escape);
    QTest::mouseClick(form.cmdCancel, Qt::LeftButton);
    QTest::mouseClick(form.cmdOK, Qt::LeftButton);
}

// What no input can do: an edit by code (as a load makes) over a short access
// code, the savers called directly, then Apply, OK and Escape, each with
// cmdApply enabled by code.
void forceSaving(GUI &form, Busyness_Rules &rules)
{
    form.txtAccessCode->setText(QStringLiteral("12"));
    QVERIFY(!form.cmdApply->isEnabled());
    QVERIFY(!rules.Update_Partition("Forced", "1234", "ENGLISH", "1", "0", "NOOP", "IGNORE", "0", "0", "0", "1"));
    rules.Update_Node_Type_MAX(form.lblNodeTypeID, form.txtNode);
    form.cmdApply->setEnabled(true);
    QTest::mouseClick(form.cmdApply, Qt::LeftButton);
    form.cmdApply->setEnabled(true);
    QTest::mouseClick(form.cmdOK, Qt::LeftButton);
    form.cmdApply->setEnabled(true);
    QTest::keyClick(&form, Qt::Key_Escape);
}

} // namespace

class AccessModesTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { GUI::unload(); }

    // Configuration 3 also lists partition 20, which has no node maxima;
    // partition 9 does not exist.
    void nothingIsWritten_data()
    {
        QTest::addColumn<QString>("menuOption");
        QTest::addColumn<int>("partition");
        QTest::addColumn<bool>("forced");
        QTest::newRow("no access") << "x" << 1 << false;
        QTest::newRow("no access to a missing partition") << "x" << 9 << false;
        QTest::newRow("read only") << "r" << 1 << false;
        QTest::newRow("read only, forced") << "r" << 1 << true;
    }
    void nothingIsWritten()
    {
        QFETCH(QString, menuOption);
        QFETCH(int, partition);
        QFETCH(bool, forced);
        DialogRig rig;
        rig.store->insertPartition({3, 20, "Delta", "2020", "ENGLISH", "1", 60, "NOOP", "IGNORE", 60, 0, 0, 1});
        count<CountedPartitionInserter, CountedPartitionUpdater, CountedNodeMaxInserter, CountedNodeMaxUpdater>(rig);
        writes = 0;
        const QStringList before = dump(rig);
        // Partitions of 13 values and a revision, maxima of 4, configurations of
        // 7, node types of 3, and no history yet.
        QCOMPARE(before.size(), 6 * 14 + 15 * 4 + 2 * 7 + 3 * 3);
        Busyness_Rules rules(rig.factory);
        rig.ui.runner.script = [&](QDialog &) {
            GUI &form = *GUI::instance();
            const QWidget *focus = form.focusWidget();
            const QStringList shown = shownValues(form);
            forced ? forceSaving(form, rules) : playEverything(form);
            if (menuOption == QLatin1String("x")) {
                QVERIFY(focus == form.cmdOK || focus == form.cmdCancel);
                QCOMPARE(shownValues(form), shown);
            }
        };
        QVERIFY(rules.Shown(3, qint16(partition), menuOption).asBoolean());
        QCOMPARE(writes, 0);
        QCOMPARE(dump(rig), before);
        QCOMPARE(rig.boxes(), QStringList());
    }
};

QTEST_MAIN(AccessModesTest)
#include "tst_accessmodes.moc"
