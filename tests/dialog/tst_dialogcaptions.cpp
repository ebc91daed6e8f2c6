// Captions and fixed lists from the string table: what the user reads after
// Load_Language_Dependant_Parts and Load_Combo_Lists, and how a missing,
// empty or malformed string stops them part way.
#include "EditedStringTable.h"
#include "ShownText.h"
#include "TestSupport.h"
#include "dialog/GUI.h"
#include "dialog/Twips.h"

#include <QTest>

namespace {

struct Caption
{
    const char *control;
    const char *english;
    const char *design;
};

// In the order Load_Language_Dependant_Parts applies them.
const Caption Captions[] = {
    {"GUI", "Partition Settings", "Partition Settings"},
    {"lblPartitionNo", "Partition Number", "F:Partition Number:"},
    {"lblPartitionName", "Partition Name", "F:Partition Name"},
    {"lblAccessCode", "Access Code", "F:Access Code"},
    {"lblREMLanguage", "Remote Language", "F:Remote Language"},
    {"lblTotalRecTime", "Total Rec.Time (MM:SS)", "F:Total Rec.Time (sec)"},
    {"lblNoMSGRecorded", "No MSG Recorded", "F:No MSG Recorded"},
    {"lblSelectionLimit", "Selection Limit", "F:Selection Limit"},
    {"lblTimeLimit", "Time limit (MM:SS)", "F:Time Limit (sec)"},
    {"lblCommand", "Command", "F:Command"},
    {"frmMaxNoOfNode", "Max Number of each Node", "F:Max Number of each nodes"},
    {"cmdViewPartitionDefault", "Default", "Defaults"},
    {"lblAccessDenied", "Access Denied", "F:Access Denied"},
};
constexpr int CaptionCount = int(std::size(Captions));

QString captionOf(GUI &form, const QString &name)
{
    return testing::shownText(name == QLatin1String("GUI") ? &form : form.findChild<QWidget *>(name));
}

QStringList itemsOf(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

QStringList numbers(int first, int last)
{
    QStringList texts;
    for (int n = first; n <= last; ++n)
        texts << QString::number(n);
    return texts;
}

} // namespace

class DialogCaptionsTest : public QObject
{
    Q_OBJECT

private:
    GUI *form = nullptr;

private slots:
    void init() { form = &GUI::load(); }
    void cleanup() { GUI::unload(); }

    // Strings 66 and 67 move the Defaults button; a malformed one is a
    // general failure that leaves it and the captions after it alone.
    void defaultsButtonPosition_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("failure");
        QTest::newRow("built-in English block") << QString() << QString() << QRect(6360, 4800, 855, 375) << "";
        QTest::newRow("French, blanks around") << " 120 " << " 1215" << QRect(120, 4800, 1215, 375) << "";
        QTest::newRow("left not a number") << "abc" << "855" << QRect(6360, 4800, 855, 375) << "Type mismatch";
        QTest::newRow("width beyond 16 bits") << "120" << "40000" << QRect(6360, 4800, 855, 375) << "Overflow";
    }

    void defaultsButtonPosition()
    {
        QFETCH(QString, left);
        QFETCH(QString, width);
        QFETCH(QRect, twips);
        QFETCH(QString, failure);
        testing::EditedStringTable table;
        if (!left.isNull())
            table.replaced = {{66, left}, {67, width}};
        resources::ScopedStringTable scope(table);
        testing::ScriptedUi ui;
        if (!failure.isEmpty())
            ui.boxes.expect(ui::Answer::OK);
        form->Load_Language_Dependant_Parts();

        QCOMPARE(ui.boxes.shown().size(), failure.isEmpty() ? 0 : 1);
        if (!failure.isEmpty()) {
            const ui::ShownBox box = ui.boxes.shown().first();
            QCOMPARE(box.title, QStringLiteral("Internal Error"));
            QCOMPARE(box.text, "General Failure\r\nVEL_PART_SET:Load_Language_Dependant_Parts \r\n" + failure);
            QCOMPARE(box.icon, ui::Icon::Critical);
        }
        QPushButton *button = form->cmdViewPartitionDefault;
        QCOMPARE(button->text(), QStringLiteral("Default"));
        QCOMPARE(QRect(twips::left(button), twips::top(button), twips::width(button), twips::height(button)), twips);
        QCOMPARE(form->lblAccessDenied->text(), QString::fromLatin1(failure.isEmpty() ? "Access Denied" : "F:Access Denied"));
    }

    // The first missing or empty string ends the procedure: the captions
    // before it are applied, the rest keep their design texts. The table
    // puts the Defaults button elsewhere so that its move shows; id -1 is no
    // string the procedure uses, so every English caption is applied.
    void missingStringStopsTheCaptions_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("emptyInsteadOfMissing");
        QTest::addColumn<int>("applied");
        QTest::addColumn<bool>("moved");
        QTest::newRow("nothing missing") << -1 << false << CaptionCount << true;
        QTest::newRow("1, the form caption") << 1 << false << 0 << false;
        QTest::newRow("33, fetched only") << 33 << false << 2 << false;
        QTest::newRow("7") << 7 << false << 5 << false;
        QTest::newRow("22, empty") << 22 << true << 10 << false;
        QTest::newRow("66") << 66 << false << 12 << false;
        QTest::newRow("67, empty") << 67 << true << 12 << false;
        QTest::newRow("74, fetched only") << 74 << false << 12 << true;
        QTest::newRow("27") << 27 << false << 12 << true;
    }

    void missingStringStopsTheCaptions()
    {
        QFETCH(int, id);
        QFETCH(bool, emptyInsteadOfMissing);
        QFETCH(int, applied);
        QFETCH(bool, moved);
        testing::EditedStringTable table;
        table.replaced = {{66, "120"}, {67, "1215"}};
        if (emptyInsteadOfMissing)
            table.replaced.insert(id, QString());
        else
            table.removed = {id};
        resources::ScopedStringTable scope(table);
        const bool fails = !emptyInsteadOfMissing && id >= 0;
        testing::ScriptedUi ui;
        if (fails)
            ui.boxes.expect(ui::Answer::OK);
        form->Load_Language_Dependant_Parts();

        QCOMPARE(ui.boxes.shown().size(), fails ? 1 : 0);
        if (fails) {
            QCOMPARE(ui.boxes.shown().first().text, QStringLiteral("Resource file failed."));
            QCOMPARE(ui.boxes.shown().first().title, QStringLiteral("Internal Error"));
            QCOMPARE(ui.boxes.shown().first().icon, ui::Icon::Critical);
        }
        for (int i = 0; i < CaptionCount; ++i)
            QCOMPARE(captionOf(*form, Captions[i].control),
                     QString::fromLatin1(i < applied ? Captions[i].english : Captions[i].design));
        QCOMPARE(twips::left(form->cmdViewPartitionDefault), moved ? 120 : 6360);
        QCOMPARE(twips::width(form->cmdViewPartitionDefault), moved ? 1215 : 855);
    }

    // The lists as filled from the table; string 78 gives the PLAY entry of
    // two lists and the text Get_strPLAY returns.
    void fixedLists_data()
    {
        QTest::addColumn<QString>("play");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("remote language") << "PLAY" << "cboRemoteLanguage"
                                         << QStringList{"ENGLISH", "SPANISH", "FRENCH", "GERMAN", "PORTUGUESE"};
        QTest::newRow("command") << "PLAY" << "cboCommand" << QStringList{"NOOP", "PLAY"};
        QTest::newRow("no message recorded") << "PLAY" << "cboNoMSGRecorded"
                                             << QStringList{"IGNORE", "DISCONNECT", "PLAY"};
        QTest::newRow("selection limit") << "PLAY" << "cboSelectionLimit" << numbers(0, 25);
        QTest::newRow("partition selector untouched") << "PLAY" << "cboPartitionNumber" << QStringList{};
        QTest::newRow("PLAY from the table") << "F:PLAY" << "cboNoMSGRecorded"
                                             << QStringList{"IGNORE", "DISCONNECT", "F:PLAY"};
    }

    void fixedLists()
    {
        QFETCH(QString, play);
        QFETCH(QString, list);
        QFETCH(QStringList, items);
        testing::EditedStringTable table;
        if (play != QLatin1String("PLAY"))
            table.replaced = {{78, play}};
        resources::ScopedStringTable scope(table);
        testing::ScriptedUi ui;
        form->Load_Combo_Lists();
        auto *combo = form->findChild<QComboBox *>(list);
        QVERIFY(combo);
        QCOMPARE(itemsOf(combo), items);
        QCOMPARE(combo->currentIndex(), -1);
        for (int i = 0; i < combo->count(); ++i)
            QVERIFY(!combo->itemData(i).isValid());
        QCOMPARE(form->Get_strPLAY(), play);
        QCOMPARE(itemsOf(form->cboCommand), (QStringList{"NOOP", play}));
    }

    void listsAreNotClearedFirst()
    {
        testing::ScriptedUi ui;
        form->cboSelectionLimit->addItem("kept");
        form->Load_Combo_Lists();
        QCOMPARE(itemsOf(form->cboSelectionLimit), QStringList{"kept"} + numbers(0, 25));
    }

    void missingStringStopsTheLists_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("languages");
        QTest::addColumn<int>("commands");
        QTest::addColumn<QString>("play");
        QTest::addColumn<int>("noMessageActions");
        QTest::addColumn<int>("limits");
        QTest::newRow("80, second language") << 80 << 1 << 0 << "" << 0 << 0;
        QTest::newRow("77") << 77 << 5 << 0 << "" << 0 << 0;
        QTest::newRow("78, PLAY") << 78 << 5 << 1 << "" << 0 << 0;
        QTest::newRow("84") << 84 << 5 << 2 << "PLAY" << 1 << 0;
    }

    void missingStringStopsTheLists()
    {
        QFETCH(int, id);
        QFETCH(int, languages);
        QFETCH(int, commands);
        QFETCH(QString, play);
        QFETCH(int, noMessageActions);
        QFETCH(int, limits);
        testing::EditedStringTable table;
        table.removed = {id};
        resources::ScopedStringTable scope(table);
        testing::ScriptedUi ui;
        ui.boxes.expect(ui::Answer::OK);
        form->Load_Combo_Lists();
        QCOMPARE(ui.boxes.shown().size(), 1);
        QCOMPARE(ui.boxes.shown().first().text, QStringLiteral("Resource file failed."));
        QCOMPARE(form->cboRemoteLanguage->count(), languages);
        QCOMPARE(form->cboCommand->count(), commands);
        QCOMPARE(form->Get_strPLAY(), play);
        QCOMPARE(form->cboNoMSGRecorded->count(), noMessageActions);
        QCOMPARE(form->cboSelectionLimit->count(), limits);
    }

    void resourceStringLookup_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("failures");
        QTest::newRow("caption") << 7 << "Total Rec.Time (MM:SS)" << 0;
        QTest::newRow("gap in the table") << 40 << "" << 1;
        QTest::newRow("negative id") << -1 << "" << 1;
    }

    void resourceStringLookup()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QFETCH(int, failures);
        testing::ScriptedUi ui;
        for (int i = 0; i < failures; ++i)
            ui.boxes.expect(ui::Answer::OK);
        QCOMPARE(form->Get_Res_String(id), text);
        QCOMPARE(ui.boxes.shown().size(), failures);
    }
};

QTEST_MAIN(DialogCaptionsTest)
#include "tst_dialogcaptions.moc"
