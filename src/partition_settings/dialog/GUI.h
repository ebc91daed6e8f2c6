// The Partition Settings dialog. Its controls are public members with the
// system's names, as in a designer-generated form, because the rules object
// fills them directly. Positions and sizes are set in twips through Twips.h.
#pragma once

#include "partition_settings/dialog/NodeGridGeometry.h"

#include <QDialog>
#include <QMap>
#include <QMargins>
#include <QString>
#include <array>
#include <functional>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QWidget;
class Busyness_Rules;
namespace rt {
class RuntimeError;
}
namespace ui {
enum class Answer;
enum class Buttons;
} // namespace ui

class GUI : public QDialog
{
    Q_OBJECT

public:
    // The single default instance: created (loaded, still hidden) on first
    // use, destroyed by unload().
    static GUI &load();
    static GUI *instance();
    static void unload();

    ~GUI() override;

    // Bridge properties used by the rules object.
    void Busyness_Rules(::Busyness_Rules *rules);
    QString Get_strPLAY();
    QString Get_strMSG();
    QString Get_strMSGNo();
    qint16 Get_iMaxMSG();
    void Let_strMSGNo(const QString &Given_strMSGNo);
    void Let_iMaxMSG(qint16 Given_iMaxMSG);
    void Let_strMSG(const QString &Given_strMSG);

    // Captions, fixed lists, busy pointer and the dialog's error boxes.
    QString Get_Res_String(qint32 Id);
    void Load_Language_Dependant_Parts();
    void Load_Combo_Lists();
    void Set_MousePointer(qint16 Busy, bool Reset = false);
    void Show_Internal_Error(qint16 Id, const QString &Location);
    void Show_Resource_Failure();

    // The form's outer height in twips, its title bar and borders included;
    // the client area keeps what the frame leaves (GUI_Window.cpp). The
    // client size also follows twips::setHeight and twips::setWidth.
    void setOuterHeightTwips(int height);

    // List click handlers: a pick by the user, or a selection by index or
    // text from the program, runs the list's handler.
    void cboPartitionNumber_Click();
    void cboCommand_Click();
    void cboNoMSGRecorded_Click();
    void cboRemoteLanguage_Click();
    void cboSelectionLimit_Click();

    // The PLAY command's message list: "<message word> <n>" for n from the
    // first number to the highest message number, the partition's number
    // chosen; the list stays hidden and the number box shows.
    void fillMessageList(int firstNumber);

    // The node grid's scroll bar: the sheet picNode moves up by the value.
    void VScroll1_Change();

    // Moving between partitions (GUI_Navigation.cpp). Every move first asks
    // about unsaved edits; the four picture buttons also answer to Ctrl+Home,
    // Ctrl+PgUp, Ctrl+PgDn and Ctrl+End while they are enabled.
    void cmdFirst_Click();
    void cmdPrevious_Click();
    void cmdNext_Click();
    void cmdLast_Click();
    void cmdViewPartitionDefault_Click();
    // The navigation buttons from the selected entry's place in the partition
    // list. FollowPosition sets the Defaults button too, except in read-only
    // access, which keeps it disabled whatever the position. No access
    // leaves every button as the cover's lock set it.
    enum class DefaultsButton { Keep, FollowPosition };
    void setButtonsFromListPosition(DefaultsButton defaults);

    // Saving and closing (GUI_Apply.cpp). Every way of closing (OK, Cancel,
    // the title bar's close button, Escape) passes reject(), which asks about
    // unsaved edits and may keep the dialog open.
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void reject() override;

    // The access mode in the dialog (GUI_Access.cpp). No access disables
    // every control but OK and Cancel and puts the focus on OK. An edit marks
    // the partition changed (cmdApply enabled) only when the showing may write.
    void lockUnderCover();
    bool writesAllowed() const;
    void markChanged();

private:
    void connectNavigationHandlers();
    void addNavigationShortcuts();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void moveToEnd(QPushButton *endButton, int entry);
    ui::Answer askToSaveChanges(ui::Buttons buttons);
    void askBeforeMoving();
    bool accessCodeAccepted();
    bool closingAllowed();
    // The rules object of the showing; error 91 before one is set.
    ::Busyness_Rules &rules() const;

public:
    // Settings panel.
    QFrame *PicDetail = nullptr;
    QLabel *lblPartitionNo = nullptr;
    QLineEdit *txtPartitionNumber = nullptr;
    QLabel *lblPartitionName = nullptr;
    QLineEdit *txtPartitionName = nullptr;
    QLabel *lblAccessCode = nullptr;
    QLineEdit *txtAccessCode = nullptr;
    QLabel *lblREMLanguage = nullptr;
    QComboBox *cboRemoteLanguage = nullptr;
    QLabel *lblTotalRecTime = nullptr;
    QLineEdit *txtRecTimeMin = nullptr;
    std::array<QLabel *, 2> lblColon{};
    QLineEdit *txtRecTimeSec = nullptr;
    QLineEdit *txtTotalRecSecond = nullptr;
    QLabel *lblNoMSGRecorded = nullptr;
    QComboBox *cboNoMSGRecorded = nullptr;
    QLabel *lblSelectionLimit = nullptr;
    QComboBox *cboSelectionLimit = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *lblTimeLimit = nullptr;
    QLineEdit *txtTimeLimitMin = nullptr;
    QLineEdit *txtTimeLimitSec = nullptr;
    QComboBox *cboMSGCmd = nullptr;
    QLineEdit *txtTimeLimit = nullptr;
    QLabel *lblCommand = nullptr;
    QComboBox *cboCommand = nullptr;
    QLineEdit *txtMSGCmd = nullptr;

    // Node grid.
    QGroupBox *frmMaxNoOfNode = nullptr;
    QFrame *Picture1 = nullptr;
    QFrame *picNode = nullptr;
    std::array<QLabel *, nodeGrid::Rows> lblNode{};
    std::array<QLineEdit *, nodeGrid::Rows> txtNode{};
    std::array<QLabel *, nodeGrid::Rows> lblNodeTypeID{};
    QScrollBar *VScroll1 = nullptr;

    // Buttons and navigation row.
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdApply = nullptr;
    QPushButton *cmdHelp = nullptr;
    QPushButton *cmdViewPartitionDefault = nullptr;
    QPushButton *cmdFirst = nullptr;
    QPushButton *cmdPrevious = nullptr;
    QComboBox *cboPartitionNumber = nullptr;
    QLineEdit *txtIDFraction = nullptr;
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdLast = nullptr;

    // Access Denied cover.
    QGroupBox *frmAccessDenied = nullptr;
    QLabel *lblAccessDenied = nullptr;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    GUI();
    void setUpForm();
    void createControls();
    void createSettingsPanel();
    void createTimeAndCommandFrame();
    void createNodeGrid();
    void createButtons();
    void createNavigationRow();
    void createAccessDenied();
    void applyTabOrder();
    void connectListHandlers();
    void connectButtonHandlers();
    void connectNodeGridHandlers();
    template <typename Body> void handler(const char *procedure, Body body);
    template <typename Control> Control *place(Control *control, const QString &name, const QRect &twips, int tab);
    QLabel *label(QWidget *container, const QString &name, const QString &caption, const QRect &twips, int tab);
    QLineEdit *textBox(QWidget *container, const QString &name, const QRect &twips, int tab);
    QComboBox *list(QWidget *container, const QString &name, const QRect &twips, int tab);
    QPushButton *button(const QString &name, const QString &caption, const QRect &twips, int tab);
    void followFixedSize(const QByteArray &property);
    QMargins frameAround() const;
    QMargins reportedFrame() const;
    void fitOuterHeight();
    const QWidget *hostWindow() const;
    void placeCentred();
    void followNewFrame();
    int m_outerHeightTwips = 0;
    QMargins m_frameUsed;

    bool fetch(qint32 Id, QString &text);
    bool applyCaptions();
    bool applyLabelCaptions();
    bool moveDefaultsButton();
    bool fillComboLists();
    bool appendItems(QComboBox *list, std::initializer_list<qint32> ids);
    void setPointers(bool busy);
    void recordError(const rt::RuntimeError &error, const QString &procedure, qint16 module);
    template <typename Body> auto bridge(const char *procedure, Body body) -> decltype(body());

    ::Busyness_Rules *m_rules = nullptr;
    qint16 LanguageOffset = 0;
    QString strPLAY;
    QString strMSG;
    qint16 iMaxMSG = 0;
    QString strMSGNo;
    qint16 BusyCount = 0;
    bool bNavigating = false;

    // Controls by their place in the tab order.
    QMap<int, QWidget *> m_tabOrder;

    // Field editing: every edit of a settings box or a node box is checked as
    // it happens and undone at once when it breaks the box's rule; every edit
    // marks the partition as changed (cmdApply enabled).
public:
    // "OK" when characters 1 to Count of Text are all decimal digits, else empty.
    QString ValidateTextField(qint16 Count, const QString &Text);
    void txtAccessCode_Change();
    void txtMSGCmd_Change();
    void txtRecTimeMin_Change();
    void txtRecTimeSec_Change();
    void txtTimeLimitMin_Change();
    void txtTimeLimitSec_Change();
    void txtPartitionName_Change();
    void txtPartitionName_LostFocus();
    void txtNode_Change(qint16 Index);
    // A node box that gets the focus out of the grid's window is scrolled into view.
    void txtNode_GotFocus(qint16 Index);

private:
    // The digit fields in the order of their rule table.
    enum DigitField : int { AccessCode, MSGCmd, RecTimeMin, RecTimeSec, TimeLimitMin, TimeLimitSec, DigitFieldCount };
    struct DigitLimits
    {
        qsizetype mostDigits;
        qint32 highest; // 0: only the digit count limits the value
    };
    void connectFieldHandlers();
    void connectNodeGridEditing();
    void guardListsFromStrayWheel();
    void digitFieldChange(DigitField field);
    void applyDigitRule(QLineEdit *box, QString &lastAccepted, const std::function<DigitLimits()> &limits);

    // The last accepted text of each box, kept while the form is loaded.
    std::array<QString, DigitFieldCount> m_lastDigitText;
    QString m_lastPartitionName;
    std::array<QString, 20> m_lastNodeText;
};
