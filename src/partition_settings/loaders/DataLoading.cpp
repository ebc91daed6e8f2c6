// Turning server answers into record sets, and the loaders that Shown and
// the dialog's navigation call around them: the node type names, whether the
// requested partition exists, and Get_Data, which loads the current partition
// into the dialog.
#include "partition_settings/rules/Busyness_Rules.h"

#include "components/AnswerColumns.h"
#include "core/Numbers.h"
#include "rowset/Rowset.h"
#include "partition_settings/dialog/GUI.h"
#include "partition_settings/dialog/ListControls.h"
#include "ui/Services.h"

#include <QComboBox>
#include <QLineEdit>

std::unique_ptr<RecordSet> Busyness_Rules::XMLToRS()
{
    try {
        return std::make_unique<RecordSet>(rowset::read(XML_Buffer));
    } catch (...) {
        showOperationFailure(QStringLiteral("XMLToRS"));
        return nullptr;
    }
}

RecordSet Busyness_Rules::XMLTextToRS(const QString &text) { return rowset::read(text); }

bool Busyness_Rules::PartitionExists()
{
    try {
        XML_Buffer =
            m_CONFIG->Get_Partition_Settings_XML(QString::number(m_Config_ID), QString::number(m_Partition_ID));
        CurrentRS = XMLToRS();
        return !CurrentRS->isEOF();
    } catch (...) {
        const rt::RuntimeError error = rt::currentError();
        Record_Error(error.source(), QStringLiteral("Shown"), error.number(), error.description(), ModuleBusinessRules);
        return false;
    }
}

// Names of all node types, keyed by the id's text; the name is read from the
// column whose position is the language number (1 Name, 2 Name_French).
void Busyness_Rules::Obtain_All_Node_Type_Name(qint16 language)
{
    try {
        while (m_NodeTypeNames->Count() >= 1)
            m_NodeTypeNames->Remove(1);
        RecordSet nodeTypes = XMLTextToRS(m_SR->Get_Node_Types_XML());
        while (!nodeTypes.isEOF()) {
            const QString name = nodeTypes.Fields(int(language)).toText();
            const QString key = nodeTypes.Fields(columns::nodeTypes::ID.position).toText();
            m_NodeTypeNames->Add(name, key);
            nodeTypes.MoveNext();
        }
        nodeTypes.Close();
    } catch (...) {
        const rt::RuntimeError error = rt::currentError();
        Record_Error(error.source(), QStringLiteral("Obtain_All_Node_Type_Name"), error.number(), error.description(),
                     ModuleBusinessRules);
    }
}

bool Busyness_Rules::Get_Data()
{
    try {
        GUI &form = dialog();
        ui::mousePointer().setScreenPointer(ui::Pointer::Hourglass);
        Get_Partition_Settings(m_Config_ID, m_Partition_ID, false);
        Get_Node_Type_Max(m_Config_ID, m_Partition_ID);
        const int entry = listControls::findItemData(form.cboPartitionNumber, m_Partition_ID, m_MaxPartition);
        if (entry >= 0) {
            listControls::selectIndex(form.cboPartitionNumber, entry);
            m_FirstLoad = false;
        }
        fillPlayMessageList(form);
        m_UDCONFIG->Select_Partition(QString::number(m_Partition_ID));
        ui::mousePointer().setScreenPointer(ui::Pointer::Default);
        return true;
    } catch (...) {
        showLoaderFailure(QStringLiteral("Get_Data"));
        return false;
    }
}

// With the PLAY command the message numbers 0 to the highest are offered as
// "<message word> <n>"; otherwise both message controls are hidden.
void Busyness_Rules::fillPlayMessageList(GUI &form)
{
    if (form.cboCommand->currentText() != form.Get_strPLAY()) {
        form.cboMSGCmd->setVisible(false);
        form.txtMSGCmd->setVisible(false);
        return;
    }
    form.fillMessageList(0);
}
