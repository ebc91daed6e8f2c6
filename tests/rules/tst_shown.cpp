// The entry Shown and the recording path: the language range check, errors
// recorded while loading node types (silent and not), the message shown with
// and without the message component, the user log line, and the factory's
// empty members.
#include "Rig.h"
#include "StoreHooks.h"

#include "components/AnswerColumns.h"
#include "data/Rowset.h"
#include "dialog/GUI.h"
#include "dialog/Twips.h"
#include "rules/Busyness_Rules.h"

#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using testing::Rig;

namespace {

const QString kRepeatedName = QStringLiteral("Repeated");

void repeatNodeType(Rig &rig)
{
    testing::addRepeatedNodeType(*rig.store, {5, kRepeatedName, kRepeatedName});
}

QString threeLineMessage(const Busyness_Rules &rules)
{
    return QStringLiteral("Location:     ") + rules.ErrLocation() + QStringLiteral("\r\nCode:          ")
           + QString::number(rules.ErrCode()) + QStringLiteral("\r\nDescription: ") + rules.ErrDescription();
}

bool shownResult(const Variant &result) { return result.type() == Variant::Type::Boolean && result.asBoolean(); }

} // namespace

class ShownTest : public QObject
{
    Q_OBJECT

private slots:
    void languageRange_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("overflow");
        QTest::newRow("one above the range") << 326 << true;
        QTest::newRow("one below the range") << -324 << true;
        QTest::newRow("highest") << 325 << false;
        QTest::newRow("lowest") << -323 << false;
    }
    void languageRange()
    {
        QFETCH(int, language);
        QFETCH(bool, overflow);
        Rig rig;
        Busyness_Rules rules(rig.factory);
        // In range, such a language number names no column of the node type
        // list: the names fail to load, but not on the range check.
        const Variant result = rules.Shown(1, 1, QString(), qint16(language), true);
        QVERIFY(!shownResult(result));
        QCOMPARE(rig.ui.runner.runs, 0);
        if (overflow) {
            QCOMPARE(rules.ErrCode(), 6);
            QCOMPARE(rules.ErrLocation(), QStringLiteral("[VEL_PART_SET][Business_Rules]Shown"));
            QCOMPARE(rules.ErrDescription(), QStringLiteral("Overflow"));
        } else {
            QVERIFY(rules.ErrCode() != 6);
            QVERIFY(rules.ErrLocation().endsWith(QStringLiteral("Obtain_All_Node_Type_Name")));
        }
    }

    void optionalArgumentsDefault()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        bool defaultsButtonShown = false;
        QString firstNodeName;
        rig.ui.runner.script = [&](QDialog &) {
            GUI &form = *GUI::instance();
            defaultsButtonShown = !form.cmdViewPartitionDefault->isHidden();
            firstNodeName = form.lblNode[0]->text();
        };
        QVERIFY(shownResult(rules.Shown(1, 1, QString())));
        QCOMPARE(rig.ui.runner.runs, 1);
        QVERIFY(rules.ErrDescription().isEmpty());
        QVERIFY(defaultsButtonShown);
        // Language 1 reads the English names; the first row is the lowest node type.
        const RecordSet nodeTypes = rig.store->nodeTypes();
        QCOMPARE(firstNodeName, nodeTypes.Fields(columns::nodeTypes::Name.name).toText());
        QVERIFY(rig.ui.boxes.shown().isEmpty());
        QVERIFY(!GUI::instance()); // released when closed
    }

    void errorsAreShownUnlessSilenceIsAsked()
    {
        Rig rig;
        repeatNodeType(rig);
        rig.ui.boxes.expect(ui::Answer::OK);
        Busyness_Rules rules(rig.factory);
        QVERIFY(!shownResult(rules.Shown(1, 1, QString())));
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
    }

    void withoutThePartitionButton()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        bool buttonHidden = false;
        int height = 0;
        int expectedHeight = -1;
        rig.ui.runner.script = [&](QDialog &dialog) {
            const GUI &form = *GUI::instance();
            buttonHidden = form.cmdViewPartitionDefault->isHidden();
            height = twips::height(&dialog);
            expectedHeight = twips::top(form.cmdOK) + twips::height(form.cmdOK) + 500;
        };
        QVERIFY(shownResult(rules.Shown(1, 1, QString(), 1, false, false)));
        QVERIFY(buttonHidden);
        QCOMPARE(height, expectedHeight);
    }

    void aSecondShowingStartsAfresh()
    {
        Rig rig;
        Busyness_Rules rules(rig.factory);
        QVERIFY(shownResult(rules.Shown(1, 2, QString())));
        QCOMPARE(int(rules.MaxPartition()), 6);
        // No access builds no list: nothing of the first showing's list may count.
        QVERIFY(shownResult(rules.Shown(1, 2, QStringLiteral("x"))));
        QCOMPARE(rig.ui.runner.runs, 2);
        QCOMPARE(int(rules.MaxPartition()), 0);
        QVERIFY(rig.ui.boxes.shown().isEmpty());
    }

    void nodeTypeErrorIsRecorded_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::newRow("silent") << true;
        QTest::newRow("shown") << false;
    }
    void nodeTypeErrorIsRecorded()
    {
        QFETCH(bool, silent);
        Rig rig;
        repeatNodeType(rig);
        if (!silent)
            rig.ui.boxes.expect(ui::Answer::OK);
        Busyness_Rules rules(rig.factory);
        QVERIFY(!shownResult(rules.Shown(1, 1, QString(), 1, silent)));
        QCOMPARE(rig.ui.runner.runs, 0);
        QCOMPARE(rules.ErrCode(), 457);
        QCOMPARE(rules.ErrLocation(), QStringLiteral("[VEL_PART_SET][Business_Rules]Obtain_All_Node_Type_Name"));
        QCOMPARE(rig.userLogLines().size(), 1);
        if (silent) {
            QVERIFY(rig.ui.boxes.shown().isEmpty());
        } else {
            QCOMPARE(rig.ui.boxes.shown().size(), 1);
            const ui::ShownBox box = rig.ui.boxes.shown().first();
            QCOMPARE(box.title, QStringLiteral("Internal Error"));
            QCOMPARE(box.text, threeLineMessage(rules));
            QCOMPARE(box.text,
                     QStringLiteral("Location:     [VEL_PART_SET][Business_Rules]Obtain_All_Node_Type_Name\r\n"
                                    "Code:          457\r\n"
                                    "Description: This key is already associated with an element of this "
                                    "collection"));
        }
        // The names added before the repeated id stay; loading stopped there.
        QVERIFY(rules.NodeTypeNames().contains(QStringLiteral("0")));
        QVERIFY(rules.NodeTypeNames().contains(QStringLiteral("5")));
        QVERIFY(!rules.NodeTypeNames().contains(QStringLiteral("999")));
    }

    void withoutMessageComponentAPlainBoxShows()
    {
        Rig rig;
        rig.withoutComponent(QString::fromLatin1(VEL_MsgBox::Busyness_Rules::ProgID));
        rig.ui.boxes.expect(ui::Answer::OK);
        Busyness_Rules rules(rig.factory);
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
        const ui::ShownBox box = rig.ui.boxes.shown().first();
        QCOMPARE(box.title, QStringLiteral("Internal Error"));
        QCOMPARE(box.icon, ui::Icon::Critical);
        QCOMPARE(box.text, threeLineMessage(rules));
        QCOMPARE(rules.ErrCode(), 429);
        QVERIFY(rules.ErrLocation().endsWith(QStringLiteral("[Business_Rules]Class_Initialize")));
    }

    void missingComponentFailsAtFirstUse()
    {
        Rig rig;
        rig.withoutComponent(QString::fromLatin1(QRVdb::SR::ProgID));
        rig.ui.boxes.expect(ui::Answer::OK);
        Busyness_Rules rules(rig.factory);
        QCOMPARE(rules.ErrCode(), 429); // creation stopped at the node type list
        rig.ui.boxes.clear();
        QVERIFY(!shownResult(rules.Shown(1, 1, QString(), 1, true)));
        QCOMPARE(rules.ErrCode(), 91);
        QCOMPARE(rules.ErrDescription(), QStringLiteral("Object variable or With block variable not set"));
        QCOMPARE(rules.ErrLocation(), QStringLiteral("[VEL_PART_SET][Business_Rules]Obtain_All_Node_Type_Name"));
    }

    void logLineOfAnErrorInShown()
    {
        Rig rig;
        bool failed = false;
        rig.intercept.partitionSettings = [&](const QString &, const QString &) -> QString {
            if (failed)
                return {};
            failed = true;
            throw rt::RuntimeError(5, QStringLiteral("QRVdb.CONFIG"), QStringLiteral("Invalid procedure call or argument"));
        };
        Busyness_Rules rules(rig.factory);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        // A failed existence check counts as "no such partition": creating it
        // then fails on the server, which keeps the stored partition.
        rig.ui.boxes.expect(ui::Answer::OK);
        QVERIFY(!shownResult(rules.Shown(1, 1, QString(), 1, true)));
        QCOMPARE(rules.ErrLocation(), QStringLiteral("[QRVdb.CONFIG][Business_Rules]Shown"));
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
        QVERIFY(rig.ui.boxes.shown().first().text.startsWith(QStringLiteral("QRVins.INSCONFIG:Insert_Partition:")));

        const QStringList lines = rig.userLogLines();
        QCOMPARE(lines.size(), 1);
        const QStringList fields = lines.first().split(QLatin1Char('\t'));
        QCOMPARE(fields.size(), 8);
        QCOMPARE(fields[0], QStringLiteral("Internal Error"));
        const QDateTime logged = QDateTime::fromString(fields[1]);
        QVERIFY2(logged.isValid() && logged >= before, qPrintable(fields[1]));
        const RecordSet configuration = rig.store->configurations();
        namespace installation = columns::configuration;
        QCOMPARE(fields[2], configuration.Fields(installation::Config_ID.name).toText());
        QCOMPARE(fields[3], configuration.Fields(installation::System_ID.name).toText());
        QCOMPARE(fields[4], configuration.Fields(installation::Site_ID.name).toText());
        QCOMPARE(fields[5], QStringLiteral("5"));
        QCOMPARE(fields[6], QStringLiteral("Invalid procedure call or argument"));
        QCOMPARE(fields[7], QStringLiteral("[QRVdb.CONFIG][Business_Rules]Shown"));
    }

    void userLogIsCreatedThenAppended()
    {
        Rig rig;
        repeatNodeType(rig);
        Busyness_Rules rules(rig.factory);
        QVERIFY(!QFile::exists(rig.userLogPath()));
        rules.Shown(1, 1, QString(), 1, true);
        QCOMPARE(rig.userLogLines().size(), 1);
        rules.Shown(1, 2, QString(), 1, true);
        const QStringList lines = rig.userLogLines();
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith(QStringLiteral("Internal Error\t")));
        QVERIFY(lines[1].endsWith(QStringLiteral("Obtain_All_Node_Type_Name")));
    }

    void aFailingLogCostsOnlyTheLine_data()
    {
        QTest::addColumn<bool>("folderMissing");
        QTest::newRow("missing data folder") << true;
        QTest::newRow("configuration server fails") << false;
    }
    void aFailingLogCostsOnlyTheLine()
    {
        QFETCH(bool, folderMissing);
        Rig rig(folderMissing ? Rig::DataFolder::Missing : Rig::DataFolder::Present);
        repeatNodeType(rig);
        if (!folderMissing)
            rig.intercept.configuration = []() -> QString {
                throw rt::RuntimeError(-2147220991, QStringLiteral("QRVdb.CONFIG"), QStringLiteral("down"));
            };
        rig.ui.boxes.expect(ui::Answer::OK);
        Busyness_Rules rules(rig.factory);
        QVERIFY(!shownResult(rules.Shown(1, 1, QString())));
        QCOMPARE(rules.ErrCode(), 457);
        QVERIFY(rig.userLogLines().isEmpty());
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
        QCOMPARE(rig.ui.boxes.shown().first().text, threeLineMessage(rules));
    }

    void malformedAnswerMakesXMLToRSReport()
    {
        Rig rig;
        rig.intercept.partitions = [](const QString &) { return testing::malformedAnswer(); };
        Busyness_Rules rules(rig.factory);
        QString readerError;
        try {
            rowset::read(testing::malformedAnswer());
        } catch (const rt::RuntimeError &e) {
            readerError = e.source() + QStringLiteral(":XMLToRS:") + e.description();
        }
        QVERIFY(!readerError.isEmpty());

        rig.ui.boxes.expect(ui::Answer::OK);
        rig.ui.boxes.expect(ui::Answer::OK);
        GUI::load();
        rules.Get_Partitions(1);
        GUI::unload();
        const QList<ui::ShownBox> boxes = rig.ui.boxes.shown();
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes[0].text, readerError + QStringLiteral("\r\nPartition Settings"));
        QCOMPARE(boxes[0].icon, ui::Icon::Critical);
        // No record set came back: the loader fails on it and reports in its own words.
        QCOMPARE(boxes[1].text, QStringLiteral("VEL_PART_SET:Get_Partitions \r\n"
                                               "Object variable or With block variable not set\r\n"
                                               "Inactive Business Rules"));
        QVERIFY(rules.ErrDescription().isEmpty()); // the message path records nothing
    }
};

QTEST_MAIN(ShownTest)
#include "tst_shown.moc"
