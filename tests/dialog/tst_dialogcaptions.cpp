// What the dialog tells the user before any data: the captions and fixed
// lists from the string table, as Load_Language_Dependant_Parts and
// Load_Combo_Lists leave them when the first missing or empty string stops
// either; the error boxes; what a pick in a fixed list does; and the nested
// busy pointer, with the recording of its own failure.
#include "Rig.h"
#include "dialog/GUI.h"
#include "dialog/ListControls.h"
#include "resources/StringTable.h"
#include "rules/Busyness_Rules.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTransform>

namespace {

using StringEdits = QHash<qint32, QString>;

// The built-in string table with some strings given other texts, in force
// while it lives; a null text removes the string.
class EditedStringTable : public resources::StringTable
{
    const StringEdits m_edits;
    const resources::ScopedStringTable m_scope{*this};

public:
    explicit EditedStringTable(const StringEdits &edits) : m_edits(edits) {}
    std::optional<QString> load(qint32 id) const override
    {
        if (!m_edits.contains(id))
            return resources::BuiltInStringTable().load(id);
        return m_edits.value(id).isNull() ? std::nullopt : std::optional<QString>(m_edits.value(id));
    }
};

// Some captions in the order they are applied: the form's, the first
// label's, the one after the strings only fetched, a label, the frame, the
// Defaults button's caption and its left, top and width in twips, the last.
QStringList captions(const GUI &form)
{
    const QRect at = QTransform::fromScale(15, 15).mapRect(form.cmdViewPartitionDefault->geometry());
    const QString place = QStringLiteral("%1 %2 %3").arg(at.x()).arg(at.y()).arg(at.width());
    return QStringList() << form.windowTitle() << form.lblPartitionNo->text() << form.lblPartitionName->text()
                         << form.lblTotalRecTime->text() << form.frmMaxNoOfNode->title()
                         << form.cmdViewPartitionDefault->text() << place << form.lblAccessDenied->text();
}
// The strings 66 and 67 of every run put the Defaults button at 120, 1215.
const QStringList kEnglish = QStringLiteral("Partition Settings|Partition Number|Partition Name|Total Rec.Time (MM:SS)|"
                                            "Max Number of each Node|Default|120 4800 1215|Access Denied")
                                 .split('|');
const QStringList kDesign = QStringLiteral("Partition Settings|F:Partition Number:|F:Partition Name|F:Total Rec.Time "
                                           "(sec)|F:Max Number of each nodes|Defaults|6360 4800 855|F:Access Denied")
                                .split('|');

QString items(const QComboBox *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts.join(QLatin1Char(' '));
}

} // namespace

class DialogCaptionsTest : public QObject
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

    // Both procedures run on an edited table, the selection limit list
    // holding an item before (lists are not cleared first). "lists": the
    // language, command, no-message and selection limit items, the PLAY text.
    void stringsStopAtTheFirstMissingOne_data()
    {
        QTest::addColumn<StringEdits>("edits");
        QTest::addColumn<int>("applied"); // of the eight captions
        QTest::addColumn<QString>("lists");
        QTest::addColumn<QString>("box"); // empty: none
        const QString failed = "Resource file failed.";
        const QString full =
            "ENGLISH SPANISH FRENCH GERMAN PORTUGUESE | NOOP PLAY | IGNORE DISCONNECT PLAY | kept 0 1 2 3 "
            "4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 | PLAY";
        QTest::newRow("all strings, numbers with blanks") << StringEdits{} << 8 << full << "";
        QTest::newRow("33 missing; PLAY from the table")
            << StringEdits{{33, QString()}, {78, "F:PLAY"}} << 2 << QString(full).replace("PLAY", "F:PLAY") << failed;
        QTest::newRow("67 empty") << StringEdits{{67, ""}} << 6 << full << "";
        QTest::newRow("27 missing") << StringEdits{{27, QString()}} << 7 << full << failed;
        QTest::newRow("66 not a number") << StringEdits{
            {66,
             "abc"}} << 6 << full << "General Failure\r\nVEL_PART_SET:Load_Language_Dependant_Parts \r\nType mismatch";
        QTest::newRow("66 not a number, the error box's title missing")
            << StringEdits{{66, "abc"}, {35, QString()}} << 6 << full << failed;
        QTest::newRow("78 missing") << StringEdits{{78, QString()}} << 8
                                    << "ENGLISH SPANISH FRENCH GERMAN PORTUGUESE | NOOP |  | kept | " << failed;
    }
    void stringsStopAtTheFirstMissingOne()
    {
        QFETCH(StringEdits, edits);
        QFETCH(int, applied);
        QFETCH(QString, lists);
        QFETCH(QString, box);
        StringEdits all{{66, " 120 "}, {67, " 1215"}};
        all.insert(edits);
        EditedStringTable table(all);
        testing::ScriptedUi ui;
        if (!box.isEmpty())
            ui.boxes.expect(ui::Answer::OK);
        form->cboSelectionLimit->addItem(QStringLiteral("kept"));
        form->Load_Language_Dependant_Parts();
        form->Load_Combo_Lists();
        QCOMPARE(captions(*form), kEnglish.mid(0, applied) + kDesign.mid(applied));
        QCOMPARE(QStringList({items(form->cboRemoteLanguage), items(form->cboCommand), items(form->cboNoMSGRecorded),
                              items(form->cboSelectionLimit), form->Get_strPLAY()})
                     .join(" | "),
                 lists);
        QCOMPARE(ui.boxes.shown().size(), box.isEmpty() ? 0 : 1);
        for (const ui::ShownBox &shown : ui.boxes.shown()) {
            QCOMPARE(shown.title + ": " + shown.text, "Internal Error: " + box);
            QVERIFY(shown.buttons == ui::Buttons::OK && shown.icon == ui::Icon::Critical);
        }
        QCOMPARE(ui.pointer.screenPointer(), ui::Pointer::Default);
    }

    // A pick marks the partition as changed, emptying the list afterwards
    // does not. PLAY shows the message number box, with the partition's
    // message chosen in the hidden message list; another command hides the
    // box. "messages": the box, the message list's items and its text.
    void aPickInAFixedList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("messages");
        QTest::newRow("language") << "cboRemoteLanguage" << int(Qt::Key_End) << "shown [] cboMSGCmd";
        QTest::newRow("no message action") << "cboNoMSGRecorded" << int(Qt::Key_End) << "shown [] cboMSGCmd";
        QTest::newRow("selection limit") << "cboSelectionLimit" << int(Qt::Key_End) << "shown [] cboMSGCmd";
        QTest::newRow("NOOP") << "cboCommand" << int(Qt::Key_Home) << "hidden [] cboMSGCmd";
        QTest::newRow("PLAY") << "cboCommand" << int(Qt::Key_End) << "shown [MSG 1 MSG 2 MSG 3] MSG 2";
    }
    void aPickInAFixedList()
    {
        QFETCH(QString, list);
        QFETCH(int, key);
        QFETCH(QString, messages);
        testing::ScriptedUi ui;
        form->Load_Combo_Lists();
        form->Let_strMSG(QStringLiteral("MSG"));
        form->Let_iMaxMSG(3);
        form->Let_strMSGNo(QStringLiteral("2"));
        form->txtMSGCmd->show();
        auto *picked = form->findChild<QComboBox *>(list);
        QVERIFY(picked && form->cmdApply->testAttribute(Qt::WA_Disabled)); // filling picked nothing
        QTest::keyClick(picked, Qt::Key(key));
        QVERIFY(!form->cmdApply->testAttribute(Qt::WA_Disabled));
        QCOMPARE(QStringLiteral("%1 [%2] %3")
                     .arg(form->txtMSGCmd->isHidden() ? "hidden" : "shown", items(form->cboMSGCmd),
                          form->cboMSGCmd->currentText()),
                 messages);
        QVERIFY(form->cboMSGCmd->isHidden());
        form->cmdApply->setEnabled(false);
        listControls::clear(picked);
        QVERIFY(form->cmdApply->testAttribute(Qt::WA_Disabled));
    }

    // Calls: B busy (-1), b busy (1), C clear, R reset; x: something else
    // sets the screen pointer back, which inner calls must leave alone. Then
    // one busy call past 32767 overflows the count: the error is recorded
    // through the rules object, whose error routine resets the pointer.
    void busyPointerNests()
    {
        testing::Rig rig(testing::Rig::DataFolder::Present, server::ReferenceStore::Seeding::SchemaOnly);
        Busyness_Rules rules(rig.factory);
        form->Busyness_Rules(&rules);
        QStringList trace;
        for (const QChar call : QStringLiteral("CBbBxBCCCCCCBCBBRRBC")) {
            if (call == 'x')
                rig.ui.pointer.setScreenPointer(ui::Pointer::Default);
            else
                form->Set_MousePointer(call == 'B' ? -1 : call == 'b' ? 1 : 0, call == 'R');
            trace << pointers(rig.ui);
        }
        QCOMPARE(trace.join(' '), QStringLiteral("-- HH HH HH -H -H -H -H -H -- -- -- HH -- HH HH -- -- HH --"));
        rig.ui.boxes.expect(ui::Answer::OK);
        for (int call = 0; call <= 32767; ++call)
            form->Set_MousePointer(-1);
        QCOMPARE(rules.ErrLocation() + " " + QString::number(rules.ErrCode()),
                 QStringLiteral("[VEL_PART_SET][Business_Rules]Set_MousePointer 6"));
        QCOMPARE(rig.ui.boxes.shown().size(), 1);
        QCOMPARE(pointers(rig.ui), QStringLiteral("--"));
    }
};

QTEST_MAIN(DialogCaptionsTest)
#include "tst_dialogcaptions.moc"
