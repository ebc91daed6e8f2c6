// The partition selector: one "<number> - <name>" entry per partition of the
// configuration, the partition number as item data, in the server's order;
// MaxPartition counts every row that carries a number, named or not. The
// entries go into the list in one batch.
#include "partition_settings/rules/Busyness_Rules.h"

#include "components/AnswerColumns.h"
#include "core/Numbers.h"
#include "partition_settings/dialog/GUI.h"
#include "partition_settings/dialog/ListBatch.h"
#include "partition_settings/dialog/ListControls.h"

void Busyness_Rules::Get_Partitions(qint16 configId)
{
    try {
        GUI &form = dialog();
        listControls::clear(form.cboPartitionNumber);
        m_MaxPartition = 0;
        XML_Buffer = m_CONFIG->Get_Partitions_XML(QString::number(configId));
        CurrentRS = XMLToRS();
        listControls::ListBatch selector(form.cboPartitionNumber); // the entries so far stay when a row fails
        while (!CurrentRS->isEOF()) {
            const Variant &number = CurrentRS->Fields(columns::partitionList::PartitionID.position);
            if (!number.isNullOrEmpty()) {
                const Variant &name = CurrentRS->Fields(columns::partitionList::Name.position);
                if (!name.isNullOrEmpty()) {
                    selector.append(number.toText() + QStringLiteral(" - ") + name.toText());
                    selector.setNewestData(rt::toLong(number));
                }
                m_MaxPartition = rt::addInteger(m_MaxPartition, 1);
            }
            CurrentRS->MoveNext();
        }
    } catch (...) {
        showLoaderFailure(QStringLiteral("Get_Partitions"));
    }
}
