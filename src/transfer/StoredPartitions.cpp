// Reading partitions through the server components' rowset answers.
#include "transfer/StoredPartitions.h"

#include "components/AnswerColumns.h"
#include "rowset/Rowset.h"

namespace transfer {

namespace {

namespace s = columns::settings;

QString textOf(const RecordSet &row, const AnswerColumn &column) { return row.Fields(column.position).toText(); }
qint32 numberOf(const RecordSet &row, const AnswerColumn &column)
{
    return qint32(row.Fields(column.position).asInteger());
}

} // namespace

StoredPartitions::StoredPartitions(const ComponentFactory &factory)
    : m_config(factory.createByProgId<QRVdb::CONFIG>(QString::fromLatin1(QRVdb::CONFIG::ProgID))),
      m_nodeTypes(factory.createByProgId<QRVdb::SR>(QString::fromLatin1(QRVdb::SR::ProgID))),
      m_maxima(factory.createByClassId<NodeTypeMaxReader>(NodeTypeMaxReader::classId()))
{
}

bool StoredPartitions::hasConfiguration(qint16 configId)
{
    for (RecordSet rows = rowset::read(m_config->Get_Configuration_XML()); !rows.isEOF(); rows.MoveNext()) {
        if (numberOf(rows, columns::configuration::Config_ID) == configId)
            return true;
    }
    return false;
}

const std::map<qint16, QString> &StoredPartitions::nodeTypeNames()
{
    if (!m_names) {
        m_names.emplace();
        for (RecordSet rows = rowset::read(m_nodeTypes->Get_Node_Types_XML()); !rows.isEOF(); rows.MoveNext())
            m_names->emplace(qint16(numberOf(rows, columns::nodeTypes::ID)), textOf(rows, columns::nodeTypes::Name));
    }
    return *m_names;
}

QList<qint16> StoredPartitions::partitionNumbers(qint16 configId)
{
    QList<qint16> numbers;
    for (RecordSet rows = rowset::read(m_config->Get_Partitions_XML(QString::number(configId))); !rows.isEOF();
         rows.MoveNext())
        numbers << qint16(numberOf(rows, columns::partitionList::PartitionID));
    return numbers;
}

std::optional<PartitionSettings> StoredPartitions::partition(qint16 configId, qint16 number)
{
    const QString config = QString::number(configId);
    const QString partition = QString::number(number);
    const RecordSet row = rowset::read(m_config->Get_Partition_Settings_XML(config, partition));
    if (row.isEOF())
        return std::nullopt;
    PartitionSettings p;
    p.number = number;
    p.Name = textOf(row, s::Name);
    p.PartitionAccessCode = textOf(row, s::PartitionAccessCode);
    p.REMLanguage = textOf(row, s::REMLanguage);
    p.SelectLimit = textOf(row, s::SelectLimit);
    p.TimeLimit = numberOf(row, s::TimeLimit);
    p.Command = textOf(row, s::Command);
    p.NoMSGRecorded = textOf(row, s::NoMSGRecorded);
    p.TotalRecTime = numberOf(row, s::TotalRecTime);
    p.TotalTimeOfMessagesRecorded = numberOf(row, s::TotalTimeOfMessagesRecorded);
    p.TimeLeft = numberOf(row, s::TimeLeft);
    if (!row.Fields(s::MSGNo.position).isNull())
        p.MSGNo = qint16(numberOf(row, s::MSGNo));
    const std::map<qint16, QString> &names = nodeTypeNames();
    for (RecordSet maxima = rowset::read(m_maxima->Get_Node_Type_Max_XML(config, partition)); !maxima.isEOF();
         maxima.MoveNext()) {
        const qint16 type = qint16(numberOf(maxima, columns::nodeMaxima::NodeType_ID));
        const auto name = names.find(type);
        p.maxima[type] = {qint16(numberOf(maxima, columns::nodeMaxima::Max_Number)),
                          name == names.end() ? QString() : name->second};
    }
    return p;
}

} // namespace transfer
