// Moving between partitions: the partition selector, the four picture
// buttons First, Previous, Next and Last with their keyboard shortcuts, and
// the Defaults button, which shows the default partition's values in place of
// the current partition's. Every move asks about unsaved edits first.
//
// A button move loads the target partition through Get_Data, which selects
// the target's entry in the selector; that selection runs the selector's
// handler inside the button's handler. bNavigating, set for the whole button
// handler, keeps that nested run from asking a second time. Selecting the
// entry that is already selected emits nothing in Qt, so the selector's own
// Get_Data call does not run its handler again.
#include "partition_settings/dialog/GUI.h"
#include "partition_settings/dialog/GUI_EventHandler.h"

#include "core/Numbers.h"
#include "partition_settings/dialog/ListControls.h"
#include "partition_settings/rules/Busyness_Rules.h"
#include "ui/Services.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>

namespace {

// True for the whole run of a button's move, whichever way it ends.
class Navigating
{
public:
    explicit Navigating(bool &flag) : m_flag(flag) { m_flag = true; }
    ~Navigating() { m_flag = false; }
    Navigating(const Navigating &) = delete;
    Navigating &operator=(const Navigating &) = delete;

private:
    bool &m_flag;
};

// The hourglass from the start of a load to its end, also when it fails.
class BusyPointer
{
public:
    explicit BusyPointer(GUI &form) : m_form(form) { m_form.Set_MousePointer(true); }
    ~BusyPointer() { m_form.Set_MousePointer(false); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

private:
    GUI &m_form;
};

struct NavigationMove
{
    QPushButton *GUI::*button;
    QKeySequence keys;
    const char *name;
};

const NavigationMove kMoves[] = {
    {&GUI::cmdFirst, QKeySequence(Qt::CTRL | Qt::Key_Home), "First partition"},
    {&GUI::cmdPrevious, QKeySequence(Qt::CTRL | Qt::Key_PageUp), "Previous partition"},
    {&GUI::cmdNext, QKeySequence(Qt::CTRL | Qt::Key_PageDown), "Next partition"},
    {&GUI::cmdLast, QKeySequence(Qt::CTRL | Qt::Key_End), "Last partition"},
};

bool isMoveShortcut(const QKeyEvent *key)
{
    const QKeySequence pressed(key->keyCombination());
    return std::any_of(std::begin(kMoves), std::end(kMoves),
                       [&](const NavigationMove &move) { return move.keys == pressed; });
}

// The partition number stored with a selector entry.
qint16 entryNumber(const QComboBox *list, int entry)
{
    return rt::checkedInteger(listControls::itemData(list, entry).toLongLong());
}

void enableAll(std::initializer_list<QPushButton *> buttons, bool enabled)
{
    for (QPushButton *button : buttons)
        button->setEnabled(enabled);
}

} // namespace

void GUI::connectNavigationHandlers()
{
    connect(cmdFirst, &QPushButton::clicked, this, &GUI::cmdFirst_Click);
    connect(cmdPrevious, &QPushButton::clicked, this, &GUI::cmdPrevious_Click);
    connect(cmdNext, &QPushButton::clicked, this, &GUI::cmdNext_Click);
    connect(cmdLast, &QPushButton::clicked, this, &GUI::cmdLast_Click);
    connect(cmdViewPartitionDefault, &QPushButton::clicked, this, &GUI::cmdViewPartitionDefault_Click);
    addNavigationShortcuts();
}

// Each shortcut clicks its button, so it asks and moves exactly as the
// button does, and does nothing while the button is disabled.
void GUI::addNavigationShortcuts()
{
    for (const NavigationMove &move : kMoves) {
        QPushButton *button = this->*move.button;
        connect(new QShortcut(move.keys, this), &QShortcut::activated, button, &QPushButton::click);
        button->setAccessibleName(QString::fromLatin1(move.name));
        button->setToolTip(QStringLiteral("%1 (%2)").arg(QString::fromLatin1(move.name),
                                                         move.keys.toString(QKeySequence::NativeText)));
    }
    // A text box would keep Ctrl+Home and Ctrl+End for its caret; in these
    // one-line boxes Home and End do the same, so the moves take the keys.
    for (QLineEdit *box : findChildren<QLineEdit *>())
        box->installEventFilter(this);
}

bool GUI::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && isMoveShortcut(static_cast<QKeyEvent *>(event)))
        return true; // not accepted by the box: the dialog's shortcut runs
    return QDialog::eventFilter(watched, event);
}

::Busyness_Rules &GUI::rules() const
{
    if (!m_rules)
        throw rt::RuntimeError::standard(rt::ObjectNotSet);
    return *m_rules;
}

void GUI::askBeforeMoving()
{
    if (cmdApply->isEnabled() && askToSaveChanges(ui::Buttons::YesNo) != ui::Answer::Yes)
        cmdApply->setEnabled(false);
}

void GUI::cboPartitionNumber_Click()
{
    handler("cboPartitionNumber_Click", [&] {
        ::Busyness_Rules &owner = rules();
        if (owner.FirstLoad())
            return;
        const int chosen = cboPartitionNumber->currentIndex();
        if (!bNavigating)
            askBeforeMoving();
        listControls::selectIndex(cboPartitionNumber, chosen); // a save rebuilds the list
        // The number is the entry's text up to and including the blank before " - ".
        const QString text = cboPartitionNumber->currentText();
        const qsizetype separator = text.indexOf(QStringLiteral(" - "));
        owner.Partition_ID(rt::textToInteger(text.left(separator + 1)));
        owner.Get_Data();
        setButtonsFromListPosition(DefaultsButton::FollowPosition);
        cmdApply->setEnabled(false);
    });
}

void GUI::setButtonsFromListPosition(DefaultsButton defaults)
{
    if (rules().NoAccess())
        return; // every control under the cover stays disabled
    const int count = cboPartitionNumber->count();
    if (count == 1) {
        enableAll({cmdFirst, cmdPrevious, cmdNext, cmdLast}, false);
        return;
    }
    const int index = cboPartitionNumber->currentIndex();
    const bool atEnd = index == count - 1;
    const bool atStart = !atEnd && index == 0;
    enableAll({cmdFirst, cmdPrevious}, !atStart);
    enableAll({cmdNext, cmdLast}, !atEnd);
    if (defaults == DefaultsButton::FollowPosition)
        cmdViewPartitionDefault->setEnabled(!atStart && rules().MayWrite());
}

// cmdFirst and cmdLast stay put, without a word, when the partition shown is
// already the one of their end of the list.
void GUI::moveToEnd(QPushButton *endButton, int entry)
{
    const Navigating navigating(bNavigating);
    askBeforeMoving();
    const qint16 target = entryNumber(cboPartitionNumber, entry);
    ::Busyness_Rules &owner = rules();
    if (owner.Partition_ID() == target)
        return;
    owner.Partition_ID(target);
    owner.Get_Data();
    const bool first = endButton == cmdFirst;
    enableAll({cmdFirst, cmdPrevious}, !first);
    enableAll({cmdNext, cmdLast}, first);
    cmdApply->setEnabled(false);
}

void GUI::cmdFirst_Click()
{
    handler("cmdFirst_Click", [&] { moveToEnd(cmdFirst, 0); });
}

void GUI::cmdLast_Click()
{
    handler("cmdLast_Click", [&] { moveToEnd(cmdLast, cboPartitionNumber->count() - 1); });
}

// Next decides that it stands at the end by the list position.
void GUI::cmdNext_Click()
{
    handler("cmdNext_Click", [&] {
        const Navigating navigating(bNavigating);
        askBeforeMoving();
        const int count = cboPartitionNumber->count();
        if (cboPartitionNumber->currentIndex() < count - 1) {
            ::Busyness_Rules &owner = rules();
            owner.Partition_ID(entryNumber(cboPartitionNumber, cboPartitionNumber->currentIndex() + 1));
            owner.Get_Data();
            if (cboPartitionNumber->currentIndex() == count - 1)
                enableAll({cmdLast, cmdNext}, false);
            else
                enableAll({cmdFirst, cmdPrevious, cmdNext, cmdLast}, true);
        } else {
            ui::messageBoxes().show(QStringLiteral("No more record"), QString(), ui::Buttons::OK, ui::Icon::None);
        }
        cmdApply->setEnabled(false);
    });
}

// Previous decides that it stands at the start by the partition number.
void GUI::cmdPrevious_Click()
{
    handler("cmdPrevious_Click", [&] {
        const Navigating navigating(bNavigating);
        askBeforeMoving();
        ::Busyness_Rules &owner = rules();
        const qint16 first = entryNumber(cboPartitionNumber, 0);
        if (owner.Partition_ID() == first) {
            ui::messageBoxes().show(QStringLiteral("Begin record"), QString(), ui::Buttons::OK, ui::Icon::None);
        } else {
            owner.Partition_ID(entryNumber(cboPartitionNumber, cboPartitionNumber->currentIndex() - 1));
            owner.Get_Data();
            if (owner.Partition_ID() == first)
                enableAll({cmdPrevious, cmdFirst}, false);
            else
                enableAll({cmdFirst, cmdPrevious, cmdNext, cmdLast}, true);
        }
        cmdApply->setEnabled(false);
    });
}

// The default partition's settings and node maxima over the fields, while
// the number and the position keep naming the current partition; Apply then
// stores the defaults under that partition's number.
void GUI::cmdViewPartitionDefault_Click()
{
    handler("cmdViewPartitionDefault_Click", [&] {
        ::Busyness_Rules &owner = rules();
        const BusyPointer busy(*this);
        owner.Initial();
        owner.Get_Partition_Settings(owner.Config_ID(), 0, true);
        owner.Get_Node_Type_Max(owner.Config_ID(), 0);
        const int selected = cboPartitionNumber->currentIndex();
        txtIDFraction->setText(QString::number(selected + 1) + QStringLiteral(" of ")
                               + QString::number(cboPartitionNumber->count()));
        txtPartitionNumber->setText(listControls::itemData(cboPartitionNumber, selected).toString());
    });
}
