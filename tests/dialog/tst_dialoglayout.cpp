// The form as loaded: every control's kind, container, design caption,
// position and size in twips, visibility, enabled state and tab order, and
// the form's own frame, size, font and icon.
#include "ShownText.h"
#include "dialog/GUI.h"
#include "dialog/Twips.h"

#include <QTest>

namespace {

struct Control
{
    const char *name;
    const char *kind;
    const char *container;
    const char *caption;
    int left, top, width, height;
};

const Control SingleControls[] = {
    {"PicDetail", "QFrame", "GUI", "", 120, 120, 4935, 4575},
    {"lblPartitionNo", "QLabel", "PicDetail", "F:Partition Number:", 120, 150, 1695, 255},
    {"txtPartitionNumber", "QLineEdit", "PicDetail", "", 1920, 120, 1695, 315},
    {"lblPartitionName", "QLabel", "PicDetail", "F:Partition Name", 120, 630, 1695, 255},
    {"txtPartitionName", "QLineEdit", "PicDetail", "", 1920, 600, 2895, 315},
    {"lblAccessCode", "QLabel", "PicDetail", "F:Access Code", 120, 1110, 1095, 255},
    {"txtAccessCode", "QLineEdit", "PicDetail", "", 1920, 1080, 1695, 315},
    {"lblREMLanguage", "QLabel", "PicDetail", "F:Remote Language", 120, 1590, 1575, 255},
    {"cboRemoteLanguage", "QComboBox", "PicDetail", "", 1920, 1560, 1695, 315},
    {"lblTotalRecTime", "QLabel", "PicDetail", "F:Total Rec.Time (sec)", 120, 2025, 1815, 255},
    {"txtRecTimeMin", "QLineEdit", "PicDetail", "", 1920, 1980, 375, 315},
    {"lblColon(0)", "QLabel", "PicDetail", ":", 2400, 2040, 135, 255},
    {"txtRecTimeSec", "QLineEdit", "PicDetail", "", 2640, 1980, 375, 315},
    {"txtTotalRecSecond", "QLineEdit", "PicDetail", "", 3360, 1980, 855, 315},
    {"lblNoMSGRecorded", "QLabel", "PicDetail", "F:No MSG Recorded", 120, 2475, 1575, 255},
    {"cboNoMSGRecorded", "QComboBox", "PicDetail", "", 1920, 2430, 1695, 315},
    {"lblSelectionLimit", "QLabel", "PicDetail", "F:Selection Limit", 120, 2910, 1215, 255},
    {"cboSelectionLimit", "QComboBox", "PicDetail", "", 1920, 2880, 1695, 315},
    {"Frame2", "QGroupBox", "PicDetail", "", 0, 3240, 4815, 1215},
    {"lblTimeLimit", "QLabel", "Frame2", "F:Time Limit (sec)", 240, 270, 1320, 255},
    {"txtTimeLimitMin", "QLineEdit", "Frame2", "", 1920, 240, 375, 315},
    {"lblColon(1)", "QLabel", "Frame2", ":", 2400, 300, 135, 255},
    {"txtTimeLimitSec", "QLineEdit", "Frame2", "", 2640, 240, 375, 315},
    {"cboMSGCmd", "QComboBox", "Frame2", "cboMSGCmd", 3600, 240, 975, 315},
    {"txtTimeLimit", "QLineEdit", "Frame2", "", 3240, 240, 1695, 315},
    {"lblCommand", "QLabel", "Frame2", "F:Command", 240, 750, 975, 255},
    {"cboCommand", "QComboBox", "Frame2", "", 1920, 720, 1695, 315},
    {"txtMSGCmd", "QLineEdit", "Frame2", "", 3600, 720, 975, 315},
    {"frmMaxNoOfNode", "QGroupBox", "GUI", "F:Max Number of each nodes", 5160, 600, 3015, 3975},
    {"Picture1", "QFrame", "frmMaxNoOfNode", "", 120, 240, 2535, 3615},
    {"picNode", "QFrame", "Picture1", "", 0, 0, 2415, 12015},
    {"VScroll1", "QScrollBar", "frmMaxNoOfNode", "", 2640, 240, 255, 3615},
    {"cmdOK", "QPushButton", "GUI", "OK", 2400, 4800, 855, 375},
    {"cmdCancel", "QPushButton", "GUI", "Cancel", 3480, 4800, 855, 375},
    {"cmdApply", "QPushButton", "GUI", "Apply", 4560, 4800, 855, 375},
    {"cmdHelp", "QPushButton", "GUI", "Help", 5160, 4800, 855, 375},
    {"cmdViewPartitionDefault", "QPushButton", "GUI", "Defaults", 6360, 4800, 855, 375},
    {"cmdFirst", "QPushButton", "GUI", "", 2160, 5340, 375, 315},
    {"cmdPrevious", "QPushButton", "GUI", "", 2520, 5340, 375, 315},
    {"cboPartitionNumber", "QComboBox", "GUI", "", 2880, 5340, 1695, 315},
    {"txtIDFraction", "QLineEdit", "GUI", "", 4560, 5340, 855, 315},
    {"cmdNext", "QPushButton", "GUI", "", 5400, 5340, 375, 315},
    {"cmdLast", "QPushButton", "GUI", "", 5760, 5340, 375, 315},
    {"frmAccessDenied", "QGroupBox", "GUI", "", 120, 5760, 8055, 6015},
    {"lblAccessDenied", "QLabel", "frmAccessDenied", "F:Access Denied", 2880, 2520, 1935, 375},
};

const int NodeLabelTops[20] = {120,  480,  870,  1230, 1590, 1950, 2310, 2670, 3000, 3360,
                               3720, 4080, 4440, 4800, 5160, 5520, 5880, 6240, 6600, 6960};

QString indexed(const char *name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

// Controls hidden (with every lblNodeTypeID) or disabled at design time.
const QStringList Hidden = {"txtTotalRecSecond", "cboMSGCmd", "txtTimeLimit", "txtMSGCmd", "cmdHelp", "frmAccessDenied"};
const QStringList Disabled = {"cmdApply", "txtIDFraction"};

// Every control name: the single ones and the three arrays of the node grid.
QStringList allControlNames()
{
    QStringList names;
    for (const Control &control : SingleControls)
        names << QString::fromLatin1(control.name);
    for (int row = 0; row < 20; ++row)
        names << indexed("lblNode", row) << indexed("txtNode", row) << indexed("lblNodeTypeID", row);
    return names;
}

// The tab stops, in the order Tab visits them (txtPartitionNumber is none).
QStringList expectedTabStops()
{
    QStringList stops = {"txtPartitionName", "txtAccessCode", "cboRemoteLanguage", "txtRecTimeMin", "txtRecTimeSec",
                         "cboNoMSGRecorded", "cboSelectionLimit", "txtTimeLimitMin", "txtTimeLimitSec", "cboMSGCmd",
                         "txtTimeLimit", "cboCommand", "txtMSGCmd"};
    for (int row = 0; row < 20; ++row)
        stops << indexed("txtNode", row);
    stops << "cmdOK" << "cmdCancel" << "cmdApply" << "cmdHelp" << "cmdViewPartitionDefault" << "cmdFirst"
          << "cmdPrevious" << "cboPartitionNumber" << "txtIDFraction" << "cmdNext" << "cmdLast"
          << "txtTotalRecSecond" << "VScroll1";
    return stops;
}

} // namespace

class DialogLayoutTest : public QObject
{
    Q_OBJECT

private:
    GUI *form = nullptr;

    QWidget *control(const QString &name)
    {
        auto *found = form->findChild<QWidget *>(name);
        if (!found)
            qWarning("no control named %s", qPrintable(name));
        return found;
    }

private slots:
    void init() { form = &GUI::load(); }
    void cleanup() { GUI::unload(); }

    void controlsSitAtTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        for (const Control &c : SingleControls)
            QTest::newRow(c.name) << QString::fromLatin1(c.name) << c.kind << c.container << c.caption
                                  << QRect(c.left, c.top, c.width, c.height);
        for (int row = 0; row < 20; ++row) {
            const int boxTop = 120 + 360 * row;
            QTest::newRow(qPrintable(indexed("lblNode", row)))
                << indexed("lblNode", row) << "QLabel" << "picNode" << "Label1"
                << QRect(240, NodeLabelTops[row], 855, 255);
            QTest::newRow(qPrintable(indexed("txtNode", row)))
                << indexed("txtNode", row) << "QLineEdit" << "picNode" << "" << QRect(1440, boxTop, 615, 315);
            QTest::newRow(qPrintable(indexed("lblNodeTypeID", row)))
                << indexed("lblNodeTypeID", row) << "QLabel" << "picNode" << "Label1"
                << QRect(2040, boxTop + (row >= 13 ? 150 : 0), 255, 375);
        }
    }

    void controlsSitAtTheirPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, container);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        QWidget *widget = control(name);
        QVERIFY(widget);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
        QVERIFY(widget->parentWidget());
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(testing::shownText(widget), caption);
        QCOMPARE(widget->isHidden(), Hidden.contains(name) || name.startsWith(QLatin1String("lblNodeTypeID")));
        QCOMPARE(widget->testAttribute(Qt::WA_Disabled), Disabled.contains(name));
        QCOMPARE(QRect(twips::left(widget), twips::top(widget), twips::width(widget), twips::height(widget)), twips);
        QCOMPARE(widget->geometry(), QRect(twips::toPixels(twips.x()), twips::toPixels(twips.y()),
                                           twips::toPixels(twips.width()), twips::toPixels(twips.height())));
    }

    void tabOrderFollowsTheTable()
    {
        const QStringList expected = expectedTabStops();
        const QStringList names = allControlNames();
        QWidget *start = control(expected.first());
        QVERIFY(start);
        QStringList visited;
        QWidget *widget = start;
        do {
            if (names.contains(widget->objectName()) && (widget->focusPolicy() & Qt::TabFocus))
                visited << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != start && visited.size() <= names.size());
        QCOMPARE(visited, expected);
    }

    void partitionNumberIsAReadOnlyDisplay()
    {
        QLineEdit *box = form->txtPartitionNumber;
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->focusPolicy(), Qt::NoFocus);
        QCOMPARE(box->palette().color(QPalette::Base), box->palette().color(QPalette::Window));
        QVERIFY(box->palette().color(QPalette::Base) != form->txtPartitionName->palette().color(QPalette::Base));
    }

    void textAlignment_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("alignment");
        for (const char *name : {"txtRecTimeMin", "txtTimeLimitSec", "txtIDFraction", "lblColon(0)", "lblColon(1)"})
            QTest::newRow(name) << QString::fromLatin1(name) << int(Qt::AlignHCenter);
        QTest::newRow("txtPartitionName") << "txtPartitionName" << int(Qt::AlignLeft);
    }

    void textAlignment()
    {
        QFETCH(QString, name);
        QFETCH(int, alignment);
        QWidget *widget = control(name);
        const QVariant aligned = widget ? widget->property("alignment") : QVariant();
        QVERIFY(aligned.isValid());
        QCOMPARE(aligned.toInt() & Qt::AlignHorizontal_Mask, alignment);
    }

    // Only the message list takes typed text; OK is the default button.
    void listAndButtonRoles()
    {
        const auto lists = form->findChildren<QComboBox *>();
        QCOMPARE(lists.size(), 6);
        for (QComboBox *list : lists)
            QCOMPARE(list->isEditable(), list == form->cboMSGCmd);
        for (QPushButton *button : form->findChildren<QPushButton *>())
            QCOMPARE(button->isDefault(), button == form->cmdOK);
    }

    void formIsAFixedDialog()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Partition Settings"));
        QCOMPARE(twips::width(form), 8295);
        QCOMPARE(twips::height(form), 5820);
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(form->size(), QSize(twips::toPixels(8295), twips::toPixels(5820)));
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(flags & Qt::MSWindowsFixedSizeDialogHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->windowType(), Qt::Dialog);
    }

    // Through the twips helper or the form's own method.
    void formHeightFollowsTheTwipsItIsGiven()
    {
        for (const int height : {5295, 6000}) {
            if (height < 5820)
                twips::setHeight(form, height);
            else
                form->setFormHeightTwips(height);
            QCOMPARE(twips::height(form), height);
            QCOMPARE(form->height(), twips::toPixels(height));
            QCOMPARE(form->maximumHeight(), twips::toPixels(height));
            QCOMPARE(twips::width(form), 8295);
        }
    }

    void fonts()
    {
        QCOMPARE(form->font().pointSizeF(), 8.25);
        QCOMPARE(form->txtNode[4]->font().pointSizeF(), 8.25);
        QCOMPARE(form->lblNode[4]->font().pointSizeF(), 8.25);
        QCOMPARE(form->lblAccessDenied->font().pointSizeF(), 9.75);
        QVERIFY(form->lblAccessDenied->font().bold());
        QVERIFY(!form->lblPartitionNo->font().bold());
    }

    void formHasItsIcon()
    {
        const QIcon icon = form->windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
    }

    void oneInstanceUntilUnloaded()
    {
        QCOMPARE(GUI::instance(), form);
        QCOMPARE(&GUI::load(), form);
        GUI::unload();
        QCOMPARE(GUI::instance(), nullptr);
        form = &GUI::load();
        QCOMPARE(GUI::instance(), form);
        QCOMPARE(form->busyCount(), qint16(0));
    }
};

QTEST_MAIN(DialogLayoutTest)
#include "tst_dialoglayout.moc"
