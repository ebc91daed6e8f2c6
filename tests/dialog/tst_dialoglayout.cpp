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
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTransform>

namespace {

// Position and size in twips, at the 96 dpi of the test screen: 15 twips a pixel.
QRect inTwips(const QWidget *control) { return QTransform::fromScale(15, 15).mapRect(control->geometry()); }

// Control names separated by blanks; "txtNode(*)" stands for the twenty
// controls of the node grid's rows.
QStringList names(const char *list)
{
    QStringList all;
    for (const QString &name : QString::fromLatin1(list).split(' '))
        for (int row = 0; row < (name.endsWith(QLatin1String("(*)")) ? 20 : 1); ++row)
            all << QString(name).replace(QLatin1String("(*)"), QStringLiteral("(%1)").arg(row));
    return all;
}

} // namespace

class DialogLayoutTest : public QObject
{
    Q_OBJECT

    GUI *form = nullptr;

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
        QList<QWidget *> all = form->findChildren<QWidget *>(); // in the order they were created
        all.removeIf([](const QWidget *child) {
            return child->objectName().isEmpty() || child->objectName().startsWith("qt_");
        });
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

    void spotPositions()
    {
        const std::pair<const char *, QRect> spots[] = {{"PicDetail", {120, 120, 4935, 4575}},
                                                        {"txtPartitionName", {1920, 600, 2895, 315}},
                                                        {"lblNode(2)", {240, 870, 855, 255}},
                                                        {"lblNodeTypeID(13)", {2040, 4950, 255, 375}},
                                                        {"txtNode(19)", {1440, 6960, 615, 315}},
                                                        {"VScroll1", {2640, 240, 255, 3615}},
                                                        {"cmdViewPartitionDefault", {6360, 4800, 855, 375}},
                                                        {"cboPartitionNumber", {2880, 5340, 1695, 315}}};
        for (const auto &[name, twips] : spots) {
            const QWidget *control = form->findChild<QWidget *>(name);
            QCOMPARE(std::pair(QString(name), control ? inTwips(control) : QRect()), std::pair(QString(name), twips));
        }
    }

    // A fixed frame without minimise and maximise buttons whose height
    // follows the twips it is given; Tahoma 8.25 pt, the Access Denied text
    // 9.75 pt bold; a 32 x 32 icon in 256 colours.
    void formFrameFontsAndIcon()
    {
        QCOMPARE(inTwips(form).size(), QSize(8295, 5820));
        QVERIFY(!(form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        form->setFormHeightTwips(5295);
        QCOMPARE(std::pair(form->minimumSize(), form->maximumSize()), std::pair(QSize(553, 353), QSize(553, 353)));
        QCOMPARE(std::pair(form->font().pointSizeF(), form->lblAccessDenied->font().pointSizeF()),
                 std::pair(8.25, 9.75));
        QVERIFY(form->lblAccessDenied->font().bold() && form->windowIcon().availableSizes().contains(QSize(32, 32)));
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
        const auto *control = form->findChild<QPushButton *>(button);
        QVERIFY(bitmap && control && control->text().isEmpty());
        QCOMPARE(std::pair(bitmap->size(), qChecksum(*bitmap)), std::pair(qsizetype(1028), checksum));
        const QImage pixels(reinterpret_cast<const uchar *>(bitmap->constData()) + 40, 17, 19, 52,
                            QImage::Format_BGR888);
        QCOMPARE(control->icon().pixmap(QSize(17, 19)).toImage().convertToFormat(QImage::Format_RGB32),
                 pixels.mirrored().convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(DialogLayoutTest)
#include "tst_dialoglayout.moc"
