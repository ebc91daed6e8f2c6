// The partition selector: one "<number> - <name>" entry per partition of the
// configuration, the partition number as item data, in the server's order;
// MaxPartition counts every row that carries a number, named or not.
#include "rules/Busyness_Rules.h"

#include "components/AnswerColumns.h"
#include "core/Numbers.h"
#include "dialog/GUI.h"
#include "dialog/ListControls.h"

#include <QComboBox>

void Busyness_Rules::Get_Partitions(qint16 configId)
{
    try {
        GUI &form = dialog();
        listControls::clear(form.cboPartitionNumber);
        m_MaxPartition = 0;
        XML_Buffer = m_CONFIG->Get_Partitions_XML(QString::number(configId));
        CurrentRS = XMLToRS();
        while (!CurrentRS->isEOF()) {
            const Variant &number = CurrentRS->Fields(columns::partitionList::PartitionID.position);
            if (!number.isNullOrEmpty()) {
                const Variant &name = CurrentRS->Fields(columns::partitionList::Name.position);
                if (!name.isNullOrEmpty()) {
                    QComboBox *selector = form.cboPartitionNumber;
                    listControls::appendItem(selector, number.toText() + QStringLiteral(" - ") + name.toText());
                    selector->setItemData(selector->count() - 1, rt::toLong(number));
                }
                m_MaxPartition = rt::addInteger(m_MaxPartition, 1);
            }
            CurrentRS->MoveNext();
        }
    } catch (...) {
        showLoaderFailure(QStringLiteral("Get_Partitions"));
    }
}
