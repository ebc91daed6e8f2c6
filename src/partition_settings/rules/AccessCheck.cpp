// The dialog's start-up state: the access mode the host asked for, the empty
// fields, and the rebuild of the partition selector after a save.
#include "partition_settings/rules/Busyness_Rules.h"

#include "core/Numbers.h"
#include "partition_settings/dialog/GUI.h"
#include "partition_settings/dialog/ListControls.h"
#include "partition_settings/dialog/Twips.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Access modes by the exact, case-sensitive MenuOption text; any other text is full access.
const QString kNoAccess = QStringLiteral("x");
const QString kReadOnly = QStringLiteral("r");
constexpr int kAccessDeniedTop = 120;

} // namespace

void Busyness_Rules::Security()
{
    try {
        GUI &form = dialog();
        if (m_MenuOption == kNoAccess) {
            // The frame waits below the form's visible area. It is brought up
            // over the settings the user may not see, ending above the row of
            // OK and Cancel so that the dialog can still be closed.
            twips::setTop(form.frmAccessDenied, kAccessDeniedTop);
            twips::setHeight(form.frmAccessDenied, twips::top(form.cmdOK) - kAccessDeniedTop - kAccessDeniedTop);
            form.frmAccessDenied->setVisible(true);
            form.frmAccessDenied->raise();
            form.lockUnderCover();
            return;
        }
        form.frmAccessDenied->setVisible(false);
        Get_Partitions(m_Config_ID);
        const bool editable = m_MenuOption != kReadOnly;
        form.PicDetail->setEnabled(editable);
        form.picNode->setEnabled(editable);
        form.cmdViewPartitionDefault->setEnabled(editable);
    } catch (...) {
        showLoaderFailure(QStringLiteral("Security"));
    }
}

bool Busyness_Rules::NoAccess() const { return m_MenuOption == kNoAccess; }
bool Busyness_Rules::ReadOnly() const { return m_MenuOption == kReadOnly; }

void Busyness_Rules::Initial()
{
    try {
        GUI &form = dialog();
        form.txtAccessCode->setText(QString());
        form.txtTotalRecSecond->setText(QString());
        form.txtTimeLimit->setText(QString());
        for (int row = 0; row < int(form.lblNode.size()); ++row) {
            form.lblNode[row]->setVisible(false);
            form.txtNode[row]->setVisible(false);
        }
    } catch (...) {
        showLoaderFailure(QStringLiteral("Initial"));
    }
}

// Refills the selector and selects the partition on screen again, with
// FirstLoad set so that the selector's handler knows the choice is ours.
void Busyness_Rules::ReloadPartitionCombo()
{
    try {
        GUI &form = dialog();
        Get_Partitions(m_Config_ID);
        const qint32 shown = rt::textToLong(form.txtPartitionNumber->text());
        for (int i = 0; i < form.cboPartitionNumber->count(); ++i) {
            if (listControls::itemData(form.cboPartitionNumber, i).toInt() == shown) {
                m_FirstLoad = true;
                listControls::selectIndex(form.cboPartitionNumber, i);
                m_FirstLoad = false;
                return;
            }
        }
        m_FirstLoad = false;
    } catch (...) {
        showLoaderFailure(QStringLiteral("ReloadPartitionCombo"));
    }
}
