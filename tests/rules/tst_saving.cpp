// Writing partitions back through the server components: the new partition
// from the dialog's values, the update with its default name and name check,
// and the node maxima of the grid, each with its failure message.
#include "Rig.h"

#include "components/AnswerColumns.h"
#include "dialog/GUI.h"
#include "rules/Busyness_Rules.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>

using testing::Rig;

namespace {

// Runs the body on the loaded dialog of partition 1 of configuration 1.
void withDialog(Rig &rig, Busyness_Rules &rules, const std::function<void(GUI &)> &body)
{
    // The body's settings of the boxes are no user's edits: nothing to ask about on closing.
    rig.ui.runner.script = [&](QDialog &) {
        body(*GUI::instance());
        GUI::instance()->cmdApply->setEnabled(false);
    };
    QVERIFY(rules.Shown(1, 1, QString()).asBoolean());
}

namespace setting = columns::settings;

QString field(Rig &rig, qint16 partition, const AnswerColumn &column)
{
    RecordSet settings = rig.store->partitionSettings(1, partition);
    return settings.isEOF() ? QString() : settings.Fields(column.name).toText();
}

// The stored maximum of a node type in a partition, or -1.
int storedMaximum(Rig &rig, qint16 partition, int nodeType)
{
    for (RecordSet maxima = rig.store->nodeMaxima(1, partition); !maxima.isEOF(); maxima.MoveNext())
        if (maxima.Fields(columns::nodeMaxima::NodeType_ID.position).asInteger() == nodeType)
            return int(maxima.Fields(columns::nodeMaxima::Max_Number.position).asInteger());
    return -1;
}

bool update(Busyness_Rules &rules, const QString &name, const QString &timeLimit = QStringLiteral("125"))
{
    return rules.Update_Partition(name, "1234", "ENGLISH", "3", timeLimit, "NOOP", "IGNORE", "600", "0", "0", "1");
}

} // namespace

class SavingTest : public QObject
{
    Q_OBJECT

private slots:
    void emptyNameBecomesThePartitionsDefaultName()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        bool saved = false;
        QString shown;
        withDialog(rig, rules, [&](GUI &form) {
            rules.Partition_ID(7);
            saved = update(rules, QString());
            shown = form.txtPartitionName->text();
        });
        QVERIFY(saved);
        QCOMPARE(shown, QStringLiteral("Partition 7"));
        QCOMPARE(field(rig, 7, setting::Name), QStringLiteral("Partition 7"));
        QCOMPARE(field(rig, 7, setting::TimeLimit), QStringLiteral("125"));
    }

    void forbiddenQuotesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("double quote") << "Sales \"East\"" << false;
        QTest::newRow("two single quotes") << "O''Neil" << false;
        QTest::newRow("one single quote") << "O'Neil" << true;
        QTest::newRow("markup and accents") << "Réception <Nord> & Sud" << true;
    }
    void forbiddenQuotesAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        Rig rig;
        Busyness_Rules rules(rig.factory);
        if (!accepted)
            rig.ui.boxes.expect(ui::Answer::OK);
        bool saved = !accepted;
        withDialog(rig, rules, [&](GUI &) { saved = update(rules, name); });
        QCOMPARE(saved, accepted);
        QCOMPARE(field(rig, 1, setting::Name), accepted ? name : QStringLiteral("Sales"));
        if (!accepted) {
            const ui::ShownBox box = rig.ui.boxes.shown().first();
            QCOMPARE(box.text, QStringLiteral("Double quotes and continuous single quotes are not allowed in the "
                                              "Partition Name field"));
            QCOMPARE(box.title, QStringLiteral("Information"));
            QCOMPARE(box.icon, ui::Icon::Information);
        }
    }

    void aFailedUpdateIsReported()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        rig.ui.boxes.expect(ui::Answer::OK);
        bool saved = true;
        withDialog(rig, rules, [&](GUI &) { saved = update(rules, QStringLiteral("Sales"), QStringLiteral("2:05")); });
        QVERIFY(!saved);
        const QString text = rig.ui.boxes.shown().first().text;
        QVERIFY2(text.startsWith(QStringLiteral("QRVud.UDCONFIG:Update_Partition:")), qPrintable(text));
        QVERIFY(text.endsWith(QStringLiteral("\r\nPartition Settings")));
        QCOMPARE(field(rig, 1, setting::TimeLimit), QStringLiteral("125"));
    }

    void insertTakesTheDialogsValues_data()
    {
        QTest::addColumn<QStringList>("times"); // rec min, rec sec, limit min, limit sec
        QTest::addColumn<QString>("totalRecTime");
        QTest::addColumn<QString>("timeLimit");
        QTest::newRow("empty boxes are 0") << QStringList{"", "", "", ""} << "0" << "0";
        QTest::newRow("2 minutes 5 seconds") << QStringList{"10", "0", "2", "05"} << "600" << "125";
        QTest::newRow("the highest times") << QStringList{"360", "59", "30", "59"} << "21659" << "1859";
    }
    void insertTakesTheDialogsValues()
    {
        QFETCH(QStringList, times);
        QFETCH(QString, totalRecTime);
        QFETCH(QString, timeLimit);
        Rig rig;
        Busyness_Rules rules(rig.factory);
        QStringList boxes;
        QString firstNode;
        int firstType = -1;
        withDialog(rig, rules, [&](GUI &form) {
            const QList<QLineEdit *> timeBoxes{form.txtRecTimeMin, form.txtRecTimeSec, form.txtTimeLimitMin,
                                               form.txtTimeLimitSec};
            for (int i = 0; i < 4; ++i)
                timeBoxes[i]->setText(times[i]);
            form.txtNode[0]->clear();
            firstType = form.lblNodeTypeID[0]->text().toInt();
            rules.Partition_ID(30);
            rules.Insert_Partition();
            for (QLineEdit *box : timeBoxes)
                boxes.append(box->text());
            firstNode = form.txtNode[0]->text();
        });
        QCOMPARE(field(rig, 30, setting::TotalRecTime), totalRecTime);
        QCOMPARE(field(rig, 30, setting::TimeLimit), timeLimit);
        QCOMPARE(field(rig, 30, setting::TotalTimeOfMessagesRecorded), QStringLiteral("0"));
        QCOMPARE(field(rig, 30, setting::TimeLeft), QStringLiteral("0"));
        QCOMPARE(field(rig, 30, setting::MSGNo), QStringLiteral("1"));
        QCOMPARE(field(rig, 30, setting::Name), QStringLiteral("Sales"));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(boxes[i], times[i].isEmpty() ? QStringLiteral("0") : times[i]);
        QCOMPARE(firstNode, QStringLiteral("0"));
        QCOMPARE(storedMaximum(rig, 30, firstType), 0);
        QCOMPARE(storedMaximum(rig, 30, 1), 40);
    }

    void insertBeyond16BitsSendsNothing()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        rig.ui.boxes.expect(ui::Answer::OK);
        withDialog(rig, rules, [&](GUI &form) {
            // Minutes the field rule never saw: it would show at most 360.
            const QSignalBlocker pastTheRule(form.txtRecTimeMin);
            form.txtRecTimeMin->setText(QStringLiteral("546"));
            form.txtRecTimeSec->setText(QStringLiteral("8"));
            rules.Partition_ID(31);
            rules.Insert_Partition();
        });
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
        QCOMPARE(rig.ui.boxes.shown().first().text,
                 QStringLiteral("VEL_PART_SET:Insert_Partition:Overflow\r\nPartition Settings"));
        QCOMPARE(rig.store->partitionSettings(1, 31).RecordCount(), 0);
    }

    void outsideAShowingNothingIsWritten_data()
    {
        QTest::addColumn<bool>("insert");
        QTest::newRow("Insert_Partition") << true;
        QTest::newRow("Update_Partition without a name") << false;
    }
    void outsideAShowingNothingIsWritten()
    {
        QFETCH(bool, insert);
        Rig rig;
        Busyness_Rules rules(rig.factory);
        rules.Partition_ID(40);
        rig.ui.boxes.expect(ui::Answer::OK);
        if (insert)
            rules.Insert_Partition();
        else
            QVERIFY(!update(rules, QString()));
        QVERIFY(!GUI::instance()); // no hidden dialog is left behind
        const QString expected = insert ? QStringLiteral("VEL_PART_SET:Insert_Partition:")
                                        : QStringLiteral("VEL_PART_SET:Update_Partition:");
        QCOMPARE(rig.ui.boxes.shown().first().text,
                 expected + QStringLiteral("Object variable or With block variable not set\r\nPartition Settings"));
    }

    void nodeMaximaAreUpdated()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        QString shown;
        withDialog(rig, rules, [&](GUI &form) {
            form.txtNode[1]->clear();            // Trunk Line
            form.txtNode[2]->setText("77");      // Station
            rules.Update_Node_Type_MAX(form.lblNodeTypeID, form.txtNode);
            shown = form.txtNode[1]->text();
        });
        QCOMPARE(shown, QStringLiteral("0"));
        QCOMPARE(storedMaximum(rig, 1, 1), 0);
        QCOMPARE(storedMaximum(rig, 1, 2), 77);
        QCOMPARE(storedMaximum(rig, 1, 10), 1); // a row the grid does not show is left alone
    }

    void aFailedNodeWriteStopsAtThatRow()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        rig.ui.boxes.expect(ui::Answer::OK);
        withDialog(rig, rules, [&](GUI &form) {
            form.txtNode[0]->setText("8");
            {
                const QSignalBlocker pastTheRule(form.txtNode[1]); // the box itself would refuse it
                form.txtNode[1]->setText("x");
            }
            form.txtNode[2]->setText("9");
            rules.Update_Node_Type_MAX(form.lblNodeTypeID, form.txtNode);
        });
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
        QCOMPARE(rig.ui.boxes.shown().first().text,
                 QStringLiteral("VEL_PART_SET:Update_Node_Type_MAX:Type mismatch\r\nPartition Settings"));
        QCOMPARE(storedMaximum(rig, 1, 0), 8);   // written before the failure
        QCOMPARE(storedMaximum(rig, 1, 2), 120); // never reached
    }
};

QTEST_MAIN(SavingTest)
#include "tst_saving.moc"
