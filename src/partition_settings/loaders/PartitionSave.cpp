// Writing partitions back: a new partition from the values standing in the
// dialog, an update of one partition's settings after the name check, and the
// node maxima of the grid's filled rows. Each saver is one save (joining the
// Apply's): a write that fails stops the saver, and what it sent before stays.
// A showing in no-access or read-only mode writes nothing: each saver then
// returns at once, without a message.
#include "partition_settings/rules/Busyness_Rules.h"

#include "components/SingleUseComponents.h"
#include "core/Numbers.h"
#include "core/Seconds.h"
#include "partition_settings/dialog/GUI.h"
#include "ui/Services.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// Minutes and seconds boxes as one number of seconds, in 16-bit arithmetic.
qint16 secondsOf(const QLineEdit *minutes, const QLineEdit *seconds)
{
    return rt::totalSeconds(minutes->text(), seconds->text());
}

// A node box's maximum; an empty box counts as 0 and is set to show "0".
qint16 nodeMaximum(QLineEdit *box)
{
    if (box->text().isEmpty()) {
        box->setText(QStringLiteral("0"));
        return 0;
    }
    return rt::textToInteger(box->text());
}

} // namespace

PartitionRecord Busyness_Rules::newPartitionRecord(GUI &form, qint16 configId, qint16 partitionId, qint16 timeLimit,
                                                   qint16 totalRecTime)
{
    return {QString::number(configId),
            QString::number(partitionId),
            form.txtPartitionName->text(),
            form.txtAccessCode->text(),
            form.cboRemoteLanguage->currentText(),
            form.cboSelectionLimit->currentText(),
            QString::number(timeLimit),
            form.cboCommand->currentText(),
            form.cboNoMSGRecorded->currentText(),
            QString::number(totalRecTime),
            QStringLiteral("0"),
            QStringLiteral("0"),
            QStringLiteral("1")};
}

void Busyness_Rules::Insert_Partition()
{
    if (!MayWrite())
        return;
    inSaveUnit(QStringLiteral("Insert_Partition"), [&] {
        GUI &form = dialog();
        for (QLineEdit *box : {form.txtRecTimeMin, form.txtRecTimeSec, form.txtTimeLimitMin, form.txtTimeLimitSec}) {
            if (box->text().isEmpty())
                box->setText(QStringLiteral("0"));
        }
        const qint16 totalRecTime = secondsOf(form.txtRecTimeMin, form.txtRecTimeSec);
        const qint16 timeLimit = secondsOf(form.txtTimeLimitMin, form.txtTimeLimitSec);
        m_INSCONFIG->Insert_Partition_Record(
            newPartitionRecord(form, m_Config_ID, m_Partition_ID, timeLimit, totalRecTime));
        const QString config = QString::number(m_Config_ID);
        const QString partition = QString::number(m_Partition_ID);
        for (qint16 row = 0; row < m_NodeTypeCount; ++row) {
            const qint16 maximum = nodeMaximum(form.txtNode[row]);
            m_INSNODES->Insert_Node_Type_Max_Record(
                {config, partition, form.lblNodeTypeID[row]->text(), QString::number(maximum)});
        }
    });
}

bool Busyness_Rules::Update_Partition(const QString &Given_Name, const QString &Given_PartitionAccessCode,
                                      const QString &Given_REMLanguage, const QString &Given_SelectLimit,
                                      const QString &Given_TimeLimit, const QString &Given_Command,
                                      const QString &Given_NoMSGRecorded, const QString &Given_TotalRecTime,
                                      const QString &Given_TotalTimeOfMessagesRecorded, const QString &Given_TimeLeft,
                                      const QString &Given_MsgNo)
{
    if (!MayWrite())
        return false;
    bool accepted = false;
    const bool saved = inSaveUnit(QStringLiteral("Update_Partition"), [&] {
        QString name = Given_Name;
        if (name.isEmpty()) {
            name = QStringLiteral("Partition ") + QString::number(m_Partition_ID);
            defaultInstance().txtPartitionName->setText(name);
        }
        const auto validator = m_factory.createByClassId<NameValidator>(NameValidator::classId());
        if (!validator->CheckName(name)) {
            ui::messageBoxes().show(
                QStringLiteral(
                    "Double quotes and continuous single quotes are not allowed in the Partition Name field"),
                QStringLiteral("Information"), ui::Buttons::OK, ui::Icon::Information);
            defaultInstance().txtPartitionName->setFocus(); // back to the name, as for a short access code
            return;
        }
        name = validator->ConvertName(name);
        m_UDCONFIG->Update_Partition_Record({QString::number(m_Config_ID), QString::number(m_Partition_ID), name,
                                             Given_PartitionAccessCode, Given_REMLanguage, Given_SelectLimit,
                                             Given_TimeLimit, Given_Command, Given_NoMSGRecorded, Given_TotalRecTime,
                                             Given_TotalTimeOfMessagesRecorded, Given_TimeLeft, Given_MsgNo});
        accepted = true;
    });
    return saved && accepted;
}

void Busyness_Rules::Update_Node_Type_MAX(const std::array<QLabel *, nodeGrid::Rows> &lblNodeTypeID,
                                          std::array<QLineEdit *, nodeGrid::Rows> &txtNode)
{
    if (!MayWrite())
        return;
    inSaveUnit(QStringLiteral("Update_Node_Type_MAX"), [&] {
        const QString config = QString::number(m_Config_ID);
        const QString partition = QString::number(m_Partition_ID);
        for (qint16 row = 0; row < m_NodeTypeCount; ++row) {
            const qint16 maximum = nodeMaximum(txtNode.at(row));
            m_UDNODES->Update_Node_Type_Max_Record(
                {config, partition, lblNodeTypeID.at(row)->text(), QString::number(maximum)});
        }
    });
}
