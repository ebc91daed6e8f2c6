// The click handlers of the dialog's drop-down lists. A choice in one of the
// setting lists marks the partition as changed (cmdApply enabled); choosing
// PLAY reveals the message-number field; a choice in the partition selector
// loads that partition, after asking about unsaved changes.
#include "dialog/GUI.h"
#include "dialog/GUI_EventHandler.h"

#include "core/Numbers.h"
#include "dialog/ListControls.h"
#include "rules/Busyness_Rules.h"
#include "ui/Services.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kPlayPosition = 1; // NOOP is item 0, PLAY item 1

} // namespace

void GUI::connectListHandlers()
{
    const auto onChoice = [this](QComboBox *list, void (GUI::*click)()) {
        connect(list, &QComboBox::currentIndexChanged, this, [this, click](int index) {
            if (index >= 0) // clearing a list is no choice
                (this->*click)();
        });
    };
    onChoice(cboPartitionNumber, &GUI::cboPartitionNumber_Click);
    onChoice(cboCommand, &GUI::cboCommand_Click);
    onChoice(cboNoMSGRecorded, &GUI::cboNoMSGRecorded_Click);
    onChoice(cboRemoteLanguage, &GUI::cboRemoteLanguage_Click);
    onChoice(cboSelectionLimit, &GUI::cboSelectionLimit_Click);
}

void GUI::cboNoMSGRecorded_Click()
{
    handler("cboNoMSGRecorded_Click", [&] { cmdApply->setEnabled(true); });
}

void GUI::cboRemoteLanguage_Click()
{
    handler("cboRemoteLanguage_Click", [&] { cmdApply->setEnabled(true); });
}

void GUI::cboSelectionLimit_Click()
{
    handler("cboSelectionLimit_Click", [&] { cmdApply->setEnabled(true); });
}

void GUI::cboCommand_Click()
{
    handler("cboCommand_Click", [&] {
        cmdApply->setEnabled(true);
        if (cboCommand->currentIndex() != kPlayPosition) {
            cboMSGCmd->setVisible(false);
            txtMSGCmd->setVisible(false);
            return;
        }
        fillMessageList(1);
    });
}

void GUI::fillMessageList(int firstNumber)
{
    cboMSGCmd->setEnabled(cboCommand->isEnabledTo(cboCommand->parentWidget()));
    listControls::clear(cboMSGCmd);
    const QString word = Get_strMSG();
    const int highest = Get_iMaxMSG();
    for (int n = firstNumber; n <= highest; ++n)
        listControls::appendItem(cboMSGCmd, word + QLatin1Char(' ') + QString::number(n), n);
    const QString number = Get_strMSGNo();
    if (!number.isEmpty())
        listControls::setText(cboMSGCmd, word + QLatin1Char(' ') + number);
    cboMSGCmd->setVisible(false);
    txtMSGCmd->setVisible(true);
}

// The one question that protects unsaved edits. Yes saves as a click on
// cmdApply would; No drops the edits when the next load replaces them.
bool GUI::askToSaveChanges()
{
    const ui::Answer answer = ui::messageBoxes().show(QStringLiteral("Do you want to save changes?"),
                                                      QStringLiteral("Confirmation"), ui::Buttons::YesNo,
                                                      ui::Icon::Question);
    if (answer == ui::Answer::Yes)
        cmdApply->click();
    else
        cmdApply->setEnabled(false);
    return answer == ui::Answer::Yes;
}

void GUI::cboPartitionNumber_Click()
{
    handler("cboPartitionNumber_Click", [&] {
        if (!m_rules || m_rules->FirstLoad())
            return;
        const int chosen = cboPartitionNumber->currentIndex();
        if (cmdApply->isEnabled() && !bNavigating)
            askToSaveChanges();
        listControls::selectIndex(cboPartitionNumber, chosen);
        // The number is the entry's text up to and including the blank before " - ".
        const QString text = cboPartitionNumber->currentText();
        const qsizetype separator = text.indexOf(QStringLiteral(" - "));
        m_rules->Partition_ID(rt::textToInteger(text.left(separator + 1)));
        m_rules->Get_Data();
        setButtonsFromListPosition();
        cmdApply->setEnabled(false);
    });
}

void GUI::setButtonsFromListPosition()
{
    const int count = cboPartitionNumber->count();
    const int index = cboPartitionNumber->currentIndex();
    if (count == 1) {
        for (QPushButton *button : {cmdFirst, cmdPrevious, cmdNext, cmdLast})
            button->setEnabled(false);
        return;
    }
    const bool last = index == count - 1;
    const bool first = !last && index == 0;
    cmdFirst->setEnabled(!first);
    cmdPrevious->setEnabled(!first);
    cmdNext->setEnabled(!last);
    cmdLast->setEnabled(!last);
    cmdViewPartitionDefault->setEnabled(!first);
}
