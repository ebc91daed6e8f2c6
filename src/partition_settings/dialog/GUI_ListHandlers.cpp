// The click handlers of the dialog's drop-down lists. A choice in one of the
// setting lists marks the partition as changed (cmdApply enabled); choosing
// PLAY reveals the message-number field. The partition selector's handler
// lives with the other moves in GUI_Navigation.cpp.
#include "partition_settings/dialog/GUI.h"
#include "partition_settings/dialog/GUI_EventHandler.h"

#include "partition_settings/dialog/ListControls.h"

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
    handler("cboNoMSGRecorded_Click", [&] { markChanged(); });
}

void GUI::cboRemoteLanguage_Click()
{
    handler("cboRemoteLanguage_Click", [&] { markChanged(); });
}

void GUI::cboSelectionLimit_Click()
{
    handler("cboSelectionLimit_Click", [&] { markChanged(); });
}

void GUI::cboCommand_Click()
{
    handler("cboCommand_Click", [&] {
        markChanged();
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
