// The dialog as it is created, before any data: every control inside its
// container and clear of its neighbours, in its place in twips, the order in
// which Tab visits them, fonts, frame and pictures; the captions and fixed
// lists from the string table, as far as the first missing or empty string
// lets Load_Language_Dependant_Parts and Load_Combo_Lists go, with the error
// boxes; what a pick in a fixed list does; and the nested busy pointer.
#include "TestSupport.h"
#include "partition_settings/dialog/GUI.h"
#include "resources/FormIcon.h"
#include "resources/NavigationBitmaps.h"
#include "resources/StringTable.h"

#include <QComboBox>
#include <QDataStream>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTransform>

namespace {

using StringEdits = QHash<qint32, QString>;

// The built-in string table with some strings given other texts (the base
// ones, then the edits), in force while it lives; a null text removes one.
class EditedStringTable : public resources::StringTable
{
    StringEdits m_edits;
    const resources::ScopedStringTable m_scope{*this};

public:
    EditedStringTable(const StringEdits &base, const StringEdits &edits) : m_edits(base) { m_edits.insert(edits); }
    std::optional<QString> load(qint32 id) const override
    {
        if (!m_edits.contains(id))
            return resources::BuiltInStringTable().load(id);
        return m_edits.value(id).isNull() ? std::nullopt : std::optional<QString>(m_edits.value(id));
    }
};

// Position and size in twips, at the 96 dpi of the test screen: 15 twips a pixel.
QRect inTwips(const QWidget *control) { return QTransform::fromScale(15, 15).mapRect(control->geometry()); }

// Some captions in the order they are applied: the form's, the first
// label's, the one after the strings only fetched, a label, the frame, the
// Defaults button's caption and its left, top and width in twips, the last.
QStringList captions(const GUI &form)
{
    const QRect at = inTwips(form.cmdViewPartitionDefault);
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

class DialogFormTest : public QObject
{
    Q_OBJECT

    GUI *form = nullptr;

private slots:
    void init() { form = &GUI::load(); }
    void cleanup() { GUI::unload(); }

    // Every control inside its container and apart from its siblings, but
    // for deliberate exceptions: the Access Denied cover waits below the form
    // until the access check moves it up, the node grid's sheet is taller
    // than its window and scrolls in it, the hidden time limit box reaches
    // past its frame, and two pairs of hidden controls are stacked.
    // Neighbours that share a border of one pixel do not overlap. "places":
    // the form's size, then every control's name, place in twips and hidden
    // and enabled states, whose checksum was taken once each of them had been
    // checked against the design.
    void controlsAtFirst()
    {
        // In the order they were created; Qt's own parts of a control are named "qt_...".
        const QList<QWidget *> all = form->findChildren<QWidget *>(QRegularExpression("^(?!qt_)."));
        QCOMPARE(all.size(), 105);
        QStringList outside, overlapping;
        QByteArray places;
        QDataStream stream(&places, QIODevice::WriteOnly);
        stream << form->size();
        for (qsizetype i = 0; i < all.size(); ++i) {
            stream << all[i]->objectName() << inTwips(all[i]) << all[i]->isHidden() << all[i]->isEnabledTo(form);
            if (!all[i]->parentWidget()->rect().contains(all[i]->geometry()))
                outside << all[i]->objectName();
            for (qsizetype j = i + 1; j < all.size(); ++j) {
                const QRect common = all[i]->geometry() & all[j]->geometry();
                if (all[i]->parentWidget() == all[j]->parentWidget() && common.width() > 1 && common.height() > 1)
                    overlapping << all[i]->objectName() + " + " + all[j]->objectName();
            }
        }
        QCOMPARE(outside, (QStringList{"txtTimeLimit", "picNode", "frmAccessDenied"}));
        QCOMPARE(overlapping, (QStringList{"cboMSGCmd + txtTimeLimit", "cmdApply + cmdHelp"}));
        QCOMPARE(qChecksum(places), quint16(26671));
    }

    // The message number box shown (as PLAY does) and Apply enabled (as an
    // edit does), so that Tab meets them too; it ends where it began.
    void tabVisitsTheControlsInOrder()
    {
        testing::ScriptedUi ui;
        form->txtMSGCmd->show();
        form->cmdApply->setEnabled(true);
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        form->txtPartitionName->setFocus();
        QStringList expected = QStringLiteral("txtPartitionName txtAccessCode cboRemoteLanguage txtRecTimeMin "
                                              "txtRecTimeSec cboNoMSGRecorded cboSelectionLimit txtTimeLimitMin "
                                              "txtTimeLimitSec cboCommand txtMSGCmd")
                                   .split(' ');
        for (int row = 0; row < 20; ++row)
            expected << QStringLiteral("txtNode(%1)").arg(row);
        expected += QStringLiteral("cmdOK cmdCancel cmdApply cmdViewPartitionDefault cmdFirst cmdPrevious "
                                   "cboPartitionNumber cmdNext cmdLast VScroll1 txtPartitionName")
                        .split(' ');
        QStringList visited;
        for (QWidget *focused = form->focusWidget(); visited.size() < expected.size(); focused = form->focusWidget()) {
            QVERIFY(focused);
            visited << focused->objectName();
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }

    // The window opens centred, a standard title bar (19 pixels) and border
    // (3) counted where the platform draws none: on the screen, or on the
    // host's window when one is open.
    void opensCentred_data()
    {
        QTest::addColumn<QRect>("host");
        QTest::newRow("on the screen") << QRect();
        QTest::newRow("on the host's window") << QRect(40, 30, 700, 500);
    }
    void opensCentred()
    {
        QFETCH(QRect, host);
        QWidget window;
        window.setGeometry(host);
        window.setVisible(host.isValid());
        form->show();
        const QRect around = host.isValid() ? window.frameGeometry() : form->screen()->availableGeometry();
        QCOMPARE(form->geometry().adjusted(-3, -22, 3, 3).center(), around.center());
    }

    // One form until unloaded; a fixed frame (its size is among the places
    // of the first test) without minimise and maximise buttons; Enter means
    // OK; the partition number is only shown; Tahoma 8.25 pt, the Access
    // Denied text 9.75 pt bold; a 32 x 32 icon in 256 colours.
    void frameFontsAndIcon()
    {
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(&GUI::load() == form && form->cmdOK->isDefault() && form->txtPartitionNumber->isReadOnly());
        QVERIFY(!(form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(std::pair(form->font().pointSizeF(), form->lblAccessDenied->font().pointSizeF()),
                 std::pair(8.25, 9.75));
        QVERIFY(form->lblAccessDenied->font().bold() && form->windowIcon().availableSizes().contains(QSize(32, 32)));
        QCOMPARE(resources::formIcon().colorCount(), 256);
    }

    // Each picture stands twice, as bitmap resource 101 to 104 (a 40-byte
    // header, 17 x 19 pixels, 24 bits, uncompressed, bottom-up; the checksum
    // was taken once the pixels had been checked one by one) and on its
    // button, where its grey background is transparent.
    void navigationPictures()
    {
        const std::tuple<int, const char *, quint16> pictures[] = {
            {101, "cmdFirst", 9851}, {102, "cmdPrevious", 53476}, {103, "cmdNext", 21016}, {104, "cmdLast", 17909}};
        for (const auto &[id, button, checksum] : pictures) {
            const std::optional<QByteArray> bitmap = resources::loadBitmap(id);
            const auto *control = form->findChild<QPushButton *>(button);
            QVERIFY2(bitmap && control && control->text().isEmpty(), button);
            QCOMPARE(std::tuple(id, bitmap->size(), qChecksum(*bitmap)), std::tuple(id, qsizetype(1028), checksum));
            const QImage pixels(reinterpret_cast<const uchar *>(bitmap->constData()) + 40, 17, 19, 52,
                                QImage::Format_BGR888);
            QImage shown = pixels.mirrored().convertToFormat(QImage::Format_ARGB32); // the grey is see-through
            for (int i = 0; i < 17 * 19; ++i)
                shown.setPixel(i % 17, i / 17, shown.pixel(i % 17, i / 17) == qRgb(192, 192, 192) ? 0 : shown.pixel(i % 17, i / 17));
            QCOMPARE(control->icon().pixmap(QSize(17, 19)).toImage().convertToFormat(QImage::Format_ARGB32), shown);
        }
    }

    // Both procedures run on an edited table, the selection limit list
    // holding an item before (lists are not cleared first). "lists": the
    // language, command, no-message and selection limit items, the PLAY text.
    // Every label, whether the table gave its caption or not, begins as its
    // placeholder does without "F:".
    void stringsStopAtTheFirstMissingOne_data()
    {
        QTest::addColumn<StringEdits>("edits");
        QTest::addColumn<int>("applied"); // of the eight captions
        QTest::addColumn<QString>("lists");
        QTest::addColumn<QString>("box"); // empty: none
        const QString failed = "Resource file failed.";
        const QString mismatch = "General Failure\r\nVEL_PART_SET:Load_Language_Dependant_Parts \r\nType mismatch";
        const QString full =
            "ENGLISH SPANISH FRENCH GERMAN PORTUGUESE | NOOP PLAY | IGNORE DISCONNECT PLAY | kept 0 1 2 3 "
            "4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 | PLAY";
        QTest::newRow("all strings, numbers with blanks") << StringEdits{} << 8 << full << "";
        QTest::newRow("33 missing; PLAY from the table")
            << StringEdits{{33, QString()}, {78, "F:PLAY"}} << 2 << QString(full).replace("PLAY", "F:PLAY") << failed;
        QTest::newRow("67 empty") << StringEdits{{67, ""}} << 6 << full << "";
        QTest::newRow("27 missing") << StringEdits{{27, QString()}} << 7 << full << failed;
        QTest::newRow("66 not a number") << StringEdits{{66, "abc"}} << 6 << full << mismatch;
        QTest::newRow("66 not a number, the box's title missing")
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
        EditedStringTable table({{66, " 120 "}, {67, " 1215"}}, edits);
        testing::ScriptedUi ui;
        if (!box.isEmpty())
            ui.boxes.expect(ui::Answer::OK);
        const auto labelStarts = [this] {
            QStringList starts;
            for (const QLabel *label : form->findChildren<QLabel *>())
                starts << label->text().remove(QRegularExpression("^F:")).left(4).toLower();
            return starts;
        };
        const QStringList placeholders = labelStarts();
        form->cboSelectionLimit->addItem(QStringLiteral("kept"));
        form->Load_Language_Dependant_Parts();
        form->Load_Combo_Lists();
        QCOMPARE(captions(*form), kEnglish.mid(0, applied) + kDesign.mid(applied));
        QCOMPARE(labelStarts(), placeholders);
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

    // A pick marks the partition as changed; a list set to no entry
    // afterwards (as by a loader whose value is not among its items) does not.
    // PLAY shows the message number box, with the partition's message chosen
    // in the message list, which stays hidden (and is emptied when there are
    // no messages); another command hides the box. "messages": the box, the
    // message list's items and text.
    void aPickInAFixedList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("maxMessages"); // none: the message list holds an item left over
        QTest::addColumn<QString>("messages");
        QTest::newRow("language") << "cboRemoteLanguage" << int(Qt::Key_End) << 3 << "shown [] cboMSGCmd";
        QTest::newRow("no message action") << "cboNoMSGRecorded" << int(Qt::Key_End) << 3 << "shown [] cboMSGCmd";
        QTest::newRow("NOOP") << "cboCommand" << int(Qt::Key_Home) << 3 << "hidden [] cboMSGCmd";
        QTest::newRow("PLAY") << "cboCommand" << int(Qt::Key_End) << 3 << "shown [MSG 1 MSG 2 MSG 3] MSG 2";
        QTest::newRow("PLAY without messages") << "cboCommand" << int(Qt::Key_End) << 0 << "shown [] MSG 2";
    }
    void aPickInAFixedList()
    {
        QFETCH(QString, list);
        QFETCH(int, key);
        QFETCH(int, maxMessages);
        QFETCH(QString, messages);
        testing::ScriptedUi ui;
        form->Load_Combo_Lists();
        form->Let_strMSG(QStringLiteral("MSG"));
        form->Let_iMaxMSG(maxMessages);
        if (!maxMessages)
            form->cboMSGCmd->addItem(QStringLiteral("left over"));
        form->Let_strMSGNo(QStringLiteral("2"));
        form->txtMSGCmd->show();
        auto *picked = form->findChild<QComboBox *>(list);
        QVERIFY(picked && form->cmdApply->testAttribute(Qt::WA_Disabled)); // filling picked nothing
        QTest::keyClick(picked, Qt::Key(key));
        QVERIFY(!form->cmdApply->testAttribute(Qt::WA_Disabled) && form->cboMSGCmd->isHidden());
        QCOMPARE(QStringLiteral("%1 [%2] %3")
                     .arg(form->txtMSGCmd->isHidden() ? "hidden" : "shown", items(form->cboMSGCmd),
                          form->cboMSGCmd->currentText()),
                 messages);
        form->cmdApply->setEnabled(false);
        picked->setCurrentIndex(-1);
        QVERIFY(form->cmdApply->testAttribute(Qt::WA_Disabled));
    }

    // Calls: B busy (-1), b busy (1), C clear, R reset; x: something else
    // sets the screen pointer back, which inner calls must leave alone. After
    // each call: H for the hourglass or - for the default pointer, on the
    // screen and over the form.
    void busyPointerNests()
    {
        testing::ScriptedUi ui;
        QStringList trace;
        for (const QChar call : QStringLiteral("CBbBxBCCCCCCBCBBRRBC")) {
            if (call == 'x')
                ui.pointer.setScreenPointer(ui::Pointer::Default);
            else
                form->Set_MousePointer(call == 'B' ? -1 : call == 'b' ? 1 : 0, call == 'R');
            const bool formBusy = form->testAttribute(Qt::WA_SetCursor) && form->cursor().shape() == Qt::WaitCursor;
            trace << QString(ui.pointer.screenPointer() == ui::Pointer::Hourglass ? "H" : "-") + (formBusy ? "H" : "-");
        }
        QCOMPARE(trace.join(' '), QStringLiteral("-- HH HH HH -H -H -H -H -H -- -- -- HH -- HH HH -- -- HH --"));
    }
};

QTEST_MAIN(DialogFormTest)
#include "tst_dialogform.moc"
