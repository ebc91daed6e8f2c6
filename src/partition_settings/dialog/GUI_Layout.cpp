// Creates the form's controls with their design-time state: name, container,
// caption, position and size in twips, tab order, visibility and enabled
// state. Arrays of controls are named with their index, as "txtNode(3)".
#include "partition_settings/dialog/GUI.h"

#include "partition_settings/dialog/ClippedTextTips.h"
#include "partition_settings/dialog/DialogFonts.h"
#include "partition_settings/dialog/DialogFrame.h"
#include "partition_settings/dialog/EntryListModel.h"
#include "partition_settings/dialog/FocusRectangle.h"
#include "partition_settings/dialog/NodeGridGeometry.h"
#include "partition_settings/dialog/Twips.h"
#include "resources/NavigationBitmaps.h"

#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>

namespace {

QString indexed(const char *name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

void centre(QLineEdit *box) { box->setAlignment(Qt::AlignCenter); }

// The picture's grey background is left transparent, so that the button's
// face shows through it.
void showPicture(QPushButton *button, resources::NavigationGlyph glyph)
{
    QPixmap picture = QPixmap::fromImage(resources::navigationPicture(glyph));
    picture.setMask(picture.createMaskFromColor(QColor(resources::NavigationBackground)));
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(resources::NavigationPictureWidth, resources::NavigationPictureHeight));
}

} // namespace

template <typename Control> Control *GUI::place(Control *control, const QString &name, const QRect &twips, int tab)
{
    control->setObjectName(name);
    twips::setGeometry(control, twips.x(), twips.y(), twips.width(), twips.height());
    m_tabOrder.insert(tab, control);
    return control;
}

QLabel *GUI::label(QWidget *container, const QString &name, const QString &caption, const QRect &twips, int tab)
{
    auto *control = place(new QLabel(caption, container), name, twips, tab);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return control;
}

QLineEdit *GUI::textBox(QWidget *container, const QString &name, const QRect &twips, int tab)
{
    return place(new QLineEdit(container), name, twips, tab);
}

QComboBox *GUI::list(QWidget *container, const QString &name, const QRect &twips, int tab)
{
    auto *list = new QComboBox(container);
    list->setModel(new listControls::EntryListModel(list));
    return place(list, name, twips, tab);
}

QPushButton *GUI::button(const QString &name, const QString &caption, const QRect &twips, int tab)
{
    return place(new FocusButton(caption, this), name, twips, tab);
}

void GUI::createControls()
{
    createSettingsPanel();
    createNodeGrid();
    createButtons();
    createNavigationRow();
    createAccessDenied();
    applyTabOrder();
    clippedTextTips::install(this);
}

void GUI::createSettingsPanel()
{
    PicDetail = place(new QFrame(this), "PicDetail", {120, 120, 4935, 4575}, 78);
    lblPartitionNo = label(PicDetail, "lblPartitionNo", "F:Partition Number:", {120, 150, 1695, 255}, 0);
    txtPartitionNumber = textBox(PicDetail, "txtPartitionNumber", {1920, 120, 1695, 315}, 1);
    txtPartitionNumber->setReadOnly(true);
    // Not a tab stop, but a click gives it the focus, so that keys typed
    // after the click land in it (and change nothing) rather than in the box
    // that had the focus.
    txtPartitionNumber->setFocusPolicy(Qt::ClickFocus);
    QPalette menuBarColours = txtPartitionNumber->palette();
    menuBarColours.setColor(QPalette::Base, menuBarColours.color(QPalette::Window));
    txtPartitionNumber->setPalette(menuBarColours);
    lblPartitionName = label(PicDetail, "lblPartitionName", "F:Partition Name", {120, 630, 1695, 255}, 2);
    txtPartitionName = textBox(PicDetail, "txtPartitionName", {1920, 600, 2895, 315}, 3);
    lblAccessCode = label(PicDetail, "lblAccessCode", "F:Access Code", {120, 1110, 1095, 255}, 4);
    txtAccessCode = textBox(PicDetail, "txtAccessCode", {1920, 1080, 1695, 315}, 5);
    lblREMLanguage = label(PicDetail, "lblREMLanguage", "F:Remote Language", {120, 1590, 1575, 255}, 6);
    cboRemoteLanguage = list(PicDetail, "cboRemoteLanguage", {1920, 1560, 1695, 315}, 7);
    lblTotalRecTime = label(PicDetail, "lblTotalRecTime", "F:Total Rec.Time (sec)", {120, 2025, 1815, 255}, 8);
    txtRecTimeMin = textBox(PicDetail, "txtRecTimeMin", {1920, 1980, 375, 315}, 9);
    lblColon[0] = label(PicDetail, indexed("lblColon", 0), ":", {2400, 2040, 135, 255}, 80);
    txtRecTimeSec = textBox(PicDetail, "txtRecTimeSec", {2640, 1980, 375, 315}, 10);
    txtTotalRecSecond = textBox(PicDetail, "txtTotalRecSecond", {3360, 1980, 855, 315}, 79);
    lblNoMSGRecorded = label(PicDetail, "lblNoMSGRecorded", "F:No MSG Recorded", {120, 2475, 1575, 255}, 11);
    cboNoMSGRecorded = list(PicDetail, "cboNoMSGRecorded", {1920, 2430, 1695, 315}, 12);
    lblSelectionLimit = label(PicDetail, "lblSelectionLimit", "F:Selection Limit", {120, 2910, 1215, 255}, 13);
    cboSelectionLimit = list(PicDetail, "cboSelectionLimit", {1920, 2880, 1695, 315}, 14);
    centre(txtRecTimeMin);
    centre(txtRecTimeSec);
    lblColon[0]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    txtTotalRecSecond->hide();
    createTimeAndCommandFrame();
}

void GUI::createTimeAndCommandFrame()
{
    Frame2 = place(new DialogFrame(PicDetail), "Frame2", {0, 3240, 4815, 1215}, 15);
    lblTimeLimit = label(Frame2, "lblTimeLimit", "F:Time Limit (sec)", {240, 270, 1320, 255}, 16);
    txtTimeLimitMin = textBox(Frame2, "txtTimeLimitMin", {1920, 240, 375, 315}, 17);
    lblColon[1] = label(Frame2, indexed("lblColon", 1), ":", {2400, 300, 135, 255}, 18);
    txtTimeLimitSec = textBox(Frame2, "txtTimeLimitSec", {2640, 240, 375, 315}, 19);
    cboMSGCmd = list(Frame2, "cboMSGCmd", {3600, 240, 975, 315}, 20);
    txtTimeLimit = textBox(Frame2, "txtTimeLimit", {3240, 240, 1695, 315}, 21);
    lblCommand = label(Frame2, "lblCommand", "F:Command", {240, 750, 975, 255}, 22);
    cboCommand = list(Frame2, "cboCommand", {1920, 720, 1695, 315}, 23);
    txtMSGCmd = textBox(Frame2, "txtMSGCmd", {3600, 720, 975, 315}, 24);
    centre(txtTimeLimitMin);
    centre(txtTimeLimitSec);
    lblColon[1]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    cboMSGCmd->setEditable(true);
    cboMSGCmd->setInsertPolicy(QComboBox::NoInsert);
    cboMSGCmd->setEditText(QStringLiteral("cboMSGCmd"));
    cboMSGCmd->hide();
    txtTimeLimit->hide();
    txtMSGCmd->hide();
}

void GUI::createNodeGrid()
{
    frmMaxNoOfNode =
        place(new DialogFrame("F:Max Number of each nodes", this), "frmMaxNoOfNode", {5160, 600, 3015, 3975}, 25);
    Picture1 = place(new QFrame(frmMaxNoOfNode), "Picture1", {120, 240, 2535, 3615}, 82);
    picNode = place(new QFrame(Picture1), "picNode", {0, 0, 2415, 12015}, 26);
    const QFont nodeFont = dialogFonts::msSansSerif(8.25);
    for (int row = 0; row < nodeGrid::Rows; ++row) {
        lblNode[row] =
            label(picNode, indexed("lblNode", row), "Label1", {240, nodeGrid::nameTop(row), 855, 255}, 27 + 2 * row);
        txtNode[row] = textBox(picNode, indexed("txtNode", row), {1440, nodeGrid::boxTop(row), 615, 315}, 28 + 2 * row);
        lblNodeTypeID[row] = label(picNode, indexed("lblNodeTypeID", row), "Label1",
                                   {2040, nodeGrid::typeIdTop(row), 255, 375}, 83 + row);
        lblNode[row]->setFont(nodeFont);
        txtNode[row]->setFont(nodeFont);
        lblNodeTypeID[row]->hide();
    }
    VScroll1 = place(new FocusScrollBar(Qt::Vertical, frmMaxNoOfNode), "VScroll1", {2640, 240, 255, 3615}, 81);
    VScroll1->setFocusPolicy(Qt::StrongFocus);
    // The value counts twips of the sheet: an arrow moves one row, a click in
    // the trough one window's height.
    VScroll1->setSingleStep(nodeGrid::RowPitch);
    VScroll1->setPageStep(twips::height(Picture1));
}

void GUI::createButtons()
{
    cmdOK = button("cmdOK", "OK", {2400, 4800, 855, 375}, 67);
    cmdCancel = button("cmdCancel", "Cancel", {3480, 4800, 855, 375}, 68);
    cmdApply = button("cmdApply", "Apply", {4560, 4800, 855, 375}, 69);
    cmdHelp = button("cmdHelp", "Help", {5160, 4800, 855, 375}, 70);
    cmdViewPartitionDefault = button("cmdViewPartitionDefault", "Defaults", {6360, 4800, 855, 375}, 71);
    cmdOK->setDefault(true);
    cmdApply->setEnabled(false);
    cmdHelp->hide();
}

void GUI::createNavigationRow()
{
    cmdFirst = button("cmdFirst", QString(), {2160, 5340, 375, 315}, 72);
    cmdPrevious = button("cmdPrevious", QString(), {2520, 5340, 375, 315}, 73);
    cboPartitionNumber = list(this, "cboPartitionNumber", {2880, 5340, 1695, 315}, 74);
    txtIDFraction = textBox(this, "txtIDFraction", {4560, 5340, 855, 315}, 75);
    cmdNext = button("cmdNext", QString(), {5400, 5340, 375, 315}, 76);
    cmdLast = button("cmdLast", QString(), {5760, 5340, 375, 315}, 77);
    showPicture(cmdFirst, resources::NavigationGlyph::First);
    showPicture(cmdPrevious, resources::NavigationGlyph::Previous);
    showPicture(cmdNext, resources::NavigationGlyph::Next);
    showPicture(cmdLast, resources::NavigationGlyph::Last);
    centre(txtIDFraction);
    txtIDFraction->setEnabled(false);
}

// Covers the form when access is refused; created last so that it lies on top.
void GUI::createAccessDenied()
{
    frmAccessDenied = place(new DialogFrame(this), "frmAccessDenied", {120, 5760, 8055, 6015}, 103);
    lblAccessDenied = label(frmAccessDenied, "lblAccessDenied", "F:Access Denied", {2880, 2520, 1935, 375}, 104);
    lblAccessDenied->setFont(dialogFonts::tahoma(9.75, true));
    frmAccessDenied->setAutoFillBackground(true); // an opaque cover, like the other frames
    frmAccessDenied->hide();
}

// Chains the controls that take focus in the order of their tab indices;
// labels, picture boxes, frames and the partition number display take none.
void GUI::applyTabOrder()
{
    QWidget *previous = nullptr;
    for (QWidget *control : std::as_const(m_tabOrder)) {
        if (!(control->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}
