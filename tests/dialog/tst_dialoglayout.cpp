// The form as the user sees it before any data: every control inside its
// container and clear of its neighbours, the order in which Tab visits the
// controls, a few positions in twips, what starts hidden or disabled, the
// form's frame, size, fonts and icon, and the pictures of the four
// navigation buttons.
#include "TestSupport.h"
#include "dialog/GUI.h"
#include "resources/FormIcon.h"
#include "resources/NavigationBitmaps.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Position and size in twips, at the 96 dpi of the test screen: 15 twips a pixel.
QRect inTwips(const QWidget *control)
{
    const QRect g = control->geometry();
    return {g.x() * 15, g.y() * 15, g.width() * 15, g.height() * 15};
}

// Control names separated by blanks; "txtNode(*)" stands for the twenty
// controls of the node grid's rows.
QStringList names(const char *list)
{
    QStringList all;
    for (const QString &name : QString::fromLatin1(list).split(' ')) {
        const bool rows = name.endsWith(QLatin1String("(*)"));
        for (int row = 0; row < (rows ? 20 : 1); ++row)
            all << (rows ? name.chopped(2) + QString::number(row) + ')' : name);
    }
    return all;
}

} // namespace

class DialogLayoutTest : public QObject
{
    Q_OBJECT

    GUI *form = nullptr;

    // The form's controls, in the order they were created.
    QList<QWidget *> controls() const
    {
        QList<QWidget *> found;
        for (QWidget *child : form->findChildren<QWidget *>())
            if (!child->isWindow() && !child->objectName().isEmpty() && !child->objectName().startsWith("qt_"))
                found << child;
        return found;
    }

private slots:
    void init() { form = &GUI::load(); }
    void cleanup() { GUI::unload(); }

    // Every control inside its container and apart from its siblings, shown
    // and enabled, but for deliberate exceptions: the Access Denied cover
    // waits below the form until the access check moves it up, the node
    // grid's sheet is taller than its window and scrolls in it, the hidden
    // time limit box reaches past its frame, and two pairs of hidden controls
    // are stacked. Neighbours that share a border of one pixel do not overlap.
    void controlsAtFirst()
    {
        const QList<QWidget *> all = controls();
        QCOMPARE(all.size(), 105);
        QStringList outside, overlapping, hidden, disabled;
        for (qsizetype i = 0; i < all.size(); ++i) {
            if (!all[i]->parentWidget()->rect().contains(all[i]->geometry()))
                outside << all[i]->objectName();
            for (qsizetype j = i + 1; j < all.size(); ++j) {
                const QRect common = all[i]->geometry() & all[j]->geometry();
                if (all[i]->parentWidget() == all[j]->parentWidget() && common.width() > 1 && common.height() > 1)
                    overlapping << all[i]->objectName() + " + " + all[j]->objectName();
            }
            if (all[i]->isHidden())
                hidden << all[i]->objectName();
            if (all[i]->testAttribute(Qt::WA_Disabled))
                disabled << all[i]->objectName();
        }
        QCOMPARE(outside, names("txtTimeLimit picNode frmAccessDenied"));
        QCOMPARE(overlapping, (QStringList{"cboMSGCmd + txtTimeLimit", "cmdApply + cmdHelp"}));
        QCOMPARE(hidden, names("txtTotalRecSecond cboMSGCmd txtTimeLimit txtMSGCmd lblNodeTypeID(*) cmdHelp "
                               "frmAccessDenied"));
        QCOMPARE(disabled, names("cmdApply txtIDFraction"));
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
        const QStringList expected =
            names("txtPartitionName txtAccessCode cboRemoteLanguage txtRecTimeMin txtRecTimeSec cboNoMSGRecorded "
                  "cboSelectionLimit txtTimeLimitMin txtTimeLimitSec cboCommand txtMSGCmd txtNode(*) cmdOK cmdCancel "
                  "cmdApply cmdViewPartitionDefault cmdFirst cmdPrevious cboPartitionNumber cmdNext cmdLast VScroll1 "
                  "txtPartitionName");
        QStringList visited;
        for (qsizetype step = 0; step < expected.size(); ++step) {
            QWidget *focused = QApplication::focusWidget();
            visited << (focused ? focused->objectName() : QStringLiteral("(none)"));
            QTest::keyClick(focused ? focused : form, Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }

    void spotPositions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("settings panel") << "PicDetail" << QRect(120, 120, 4935, 4575);
        QTest::newRow("name box") << "txtPartitionName" << QRect(1920, 600, 2895, 315);
        QTest::newRow("node name of row 2, 30 lower") << "lblNode(2)" << QRect(240, 870, 855, 255);
        QTest::newRow("node type of row 13, 150 lower") << "lblNodeTypeID(13)" << QRect(2040, 4950, 255, 375);
        QTest::newRow("last node box") << "txtNode(19)" << QRect(1440, 6960, 615, 315);
        QTest::newRow("grid scroll bar") << "VScroll1" << QRect(2640, 240, 255, 3615);
        QTest::newRow("Defaults") << "cmdViewPartitionDefault" << QRect(6360, 4800, 855, 375);
        QTest::newRow("partition selector") << "cboPartitionNumber" << QRect(2880, 5340, 1695, 315);
    }
    void spotPositions()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        const QWidget *control = form->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(inTwips(control), twips);
    }

    // A fixed frame without minimise and maximise buttons whose height
    // follows the twips it is given; only the hidden message list takes typed
    // text; Enter means OK.
    void formFrameFontsAndIcon()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Partition Settings"));
        QCOMPARE(inTwips(form).size(), QSize(8295, 5820));
        QVERIFY(!(form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        form->setFormHeightTwips(5295);
        QCOMPARE(form->maximumSize(), QSize(553, 353));
        QCOMPARE(form->minimumSize(), QSize(553, 353));
        QCOMPARE(form->font().pointSizeF(), 8.25);
        QCOMPARE(form->lblAccessDenied->font().pointSizeF(), 9.75);
        QVERIFY(form->lblAccessDenied->font().bold());
        for (const QLineEdit *box : {form->txtRecTimeMin, form->txtTimeLimitSec, form->txtIDFraction})
            QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(form->txtPartitionNumber->isReadOnly() && form->cmdOK->isDefault());
        for (const QComboBox *list : form->findChildren<QComboBox *>())
            QCOMPARE(list->isEditable(), list == form->cboMSGCmd);
        QVERIFY(form->windowIcon().availableSizes().contains(QSize(32, 32)));
        QCOMPARE(resources::formIcon().colorCount(), 256);
    }

    // Each picture stands twice, as bitmap resource 101 to 104 (a 40-byte
    // header, 17 x 19 pixels, 24 bits, uncompressed, bottom-up; the checksum
    // was taken once the pixels had been checked one by one) and on its button.
    void navigationPictures_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("button");
        QTest::addColumn<quint16>("checksum");
        QTest::newRow("first") << 101 << "cmdFirst" << quint16(9851);
        QTest::newRow("previous") << 102 << "cmdPrevious" << quint16(53476);
        QTest::newRow("next") << 103 << "cmdNext" << quint16(21016);
        QTest::newRow("last") << 104 << "cmdLast" << quint16(17909);
    }
    void navigationPictures()
    {
        QFETCH(int, id);
        QFETCH(QString, button);
        QFETCH(quint16, checksum);
        const std::optional<QByteArray> bitmap = resources::loadBitmap(id);
        QVERIFY(bitmap && bitmap->size() == 1028);
        QCOMPARE(bitmap->left(20).toHex(), QByteArray("2800000011000000130000000100180000000000"));
        QCOMPARE(qChecksum(*bitmap), checksum);
        const QImage pixels(reinterpret_cast<const uchar *>(bitmap->constData()) + 40, 17, 19, 52,
                            QImage::Format_BGR888);
        const auto *control = form->findChild<QPushButton *>(button);
        QVERIFY(control && control->text().isEmpty());
        QCOMPARE(control->icon().pixmap(QSize(17, 19)).toImage().convertToFormat(QImage::Format_RGB32),
                 pixels.mirrored().convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(DialogLayoutTest)
#include "tst_dialoglayout.moc"
