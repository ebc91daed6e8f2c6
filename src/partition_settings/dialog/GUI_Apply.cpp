// Saving and closing: Apply turns the fields into one partition's values and
// saves them with the node maxima, OK saves when needed and closes, Cancel
// closes. cmdApply enabled is the dialog's only record of unsaved edits, so
// every way of closing asks about them first: OK, Cancel and the title bar
// reach reject() through closeEvent, and Escape reaches it directly. A showing
// that may not write never enables cmdApply; should it be on all the same,
// Apply refuses, OK only closes, and the question is never asked.
#include "partition_settings/dialog/GUI.h"
#include "partition_settings/dialog/GUI_EventHandler.h"

#include "core/Numbers.h"
#include "core/Seconds.h"
#include "partition_settings/rules/Busyness_Rules.h"
#include "ui/Services.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr qsizetype kShortestAccessCode = 4;

} // namespace

void GUI::connectButtonHandlers()
{
    connect(cmdApply, &QPushButton::clicked, this, &GUI::cmdApply_Click);
    connect(cmdOK, &QPushButton::clicked, this, &GUI::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &GUI::cmdCancel_Click);
}

// The one question about unsaved edits, asked before a move (Yes, No) and
// before closing (Yes, No, Cancel). Yes saves as a click on cmdApply would.
// Without the right to write there is nothing to save: the answer is No.
ui::Answer GUI::askToSaveChanges(ui::Buttons buttons)
{
    if (!writesAllowed())
        return ui::Answer::No;
    const ui::Answer answer = ui::messageBoxes().show(QStringLiteral("Do you want to save changes?"),
                                                      QStringLiteral("Confirmation"), buttons, ui::Icon::Question);
    if (answer == ui::Answer::Yes)
        cmdApply->click();
    return answer;
}

// A code shorter than four digits is refused and handed back to the user,
// whole and selected.
bool GUI::accessCodeAccepted()
{
    const qsizetype length = txtAccessCode->text().size();
    if (length >= kShortestAccessCode)
        return true;
    ui::messageBoxes().show(QStringLiteral("Too few Digits"), QStringLiteral("Information"), ui::Buttons::OK,
                            ui::Icon::Information);
    txtAccessCode->setSelection(0, int(length));
    txtAccessCode->setFocus();
    return false;
}

void GUI::cmdApply_Click()
{
    handler("cmdApply_Click", [&] {
        if (!writesAllowed() || !accessCodeAccepted())
            return;
        const QString messageNumber = cboCommand->currentText() == strPLAY ? txtMSGCmd->text() : strMSGNo;
        for (QLineEdit *box : {txtRecTimeMin, txtRecTimeSec, txtTimeLimitMin, txtTimeLimitSec}) {
            if (box->text().isEmpty())
                box->setText(QStringLiteral("00"));
        }
        const qint16 totalRecTime = rt::totalSeconds(txtRecTimeMin->text(), txtRecTimeSec->text());
        const qint16 timeLimit = rt::totalSeconds(txtTimeLimitMin->text(), txtTimeLimitSec->text());
        ::Busyness_Rules &owner = rules();
        ::Busyness_Rules::SaveUnit save(owner); // the settings and the maxima: one save
        if (!owner.Update_Partition(txtPartitionName->text(), txtAccessCode->text(), cboRemoteLanguage->currentText(),
                                    cboSelectionLimit->currentText(), QString::number(timeLimit),
                                    cboCommand->currentText(), cboNoMSGRecorded->currentText(),
                                    QString::number(totalRecTime), QStringLiteral("0"), QStringLiteral("0"),
                                    messageNumber))
            return; // refused: the edits stay, and so does cmdApply
        owner.Update_Node_Type_MAX(lblNodeTypeID, txtNode);
        save.commit(); // a commit that fails keeps the edits, and cmdApply
        owner.ReloadPartitionCombo(); // changed names show; the entry stays selected
        const qint16 limitSeconds = rt::textToInteger(txtTimeLimitSec->text());
        if (limitSeconds < 10)
            txtTimeLimitSec->setText(QStringLiteral("0") + QString::number(limitSeconds));
        cmdApply->setEnabled(false);
    });
}

void GUI::cmdOK_Click()
{
    handler("cmdOK_Click", [&] {
        if (cmdApply->isEnabled() && writesAllowed()) {
            if (!accessCodeAccepted())
                return;
            cmdApply->click();
            if (cmdApply->isEnabled())
                return; // Apply refused: stay with the edits
        }
        close();
    });
}

void GUI::cmdCancel_Click()
{
    handler("cmdCancel_Click", [&] { close(); });
}

bool GUI::closingAllowed()
{
    if (!cmdApply->isEnabled())
        return true;
    switch (askToSaveChanges(ui::Buttons::YesNoCancel)) {
    case ui::Answer::Yes: return !cmdApply->isEnabled(); // closes only when Apply saved
    case ui::Answer::No: return true;
    default: return false;
    }
}

// A failure in the check keeps the dialog open, with the edits.
void GUI::reject()
{
    bool allowed = false;
    handler("cmdCancel_Click", [&] { allowed = closingAllowed(); });
    if (allowed)
        QDialog::reject();
}
