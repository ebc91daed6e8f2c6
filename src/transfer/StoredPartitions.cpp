// Reading partitions through the server components' rowset answers.
#include "transfer/StoredPartitions.h"

#include "components/AnswerColumns.h"
#include "core/RuntimeError.h"
#include "rowset/Rowset.h"

namespace transfer {

namespace {

namespace s = columns::settings;
namespace m = columns::nodeMaxima;
namespace w = columns::wholeNodeMaxima;

QString textOf(const RecordSet &row, const AnswerColumn &column) { return row.Fields(column.position).toText(); }
qint32 numberOf(const RecordSet &row, const AnswerColumn &column)
{
    return qint32(row.Fields(column.position).asInteger());
}

// The settings of the current row of a settings answer.
PartitionSettings settingsOf(const RecordSet &row)
{
    PartitionSettings p;
    p.number = qint16(numberOf(row, s::PartitionID));
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
    return p;
}

// Adds the current row of a node maxima answer, its node type and maximum in
// the columns given, to the partition.
void addMaximum(PartitionSettings &p, const RecordSet &row, const AnswerColumn &typeColumn,
                const AnswerColumn &maximumColumn, const std::map<qint16, QString> &names)
{
    const qint16 type = qint16(numberOf(row, typeColumn));
    const auto name = names.find(type);
    // The answers come in node type order: the hint puts each at the end at once.
    p.maxima.insert_or_assign(
        p.maxima.end(), type,
        NodeMaximum{qint16(numberOf(row, maximumColumn)), name == names.end() ? QString() : name->second});
}

// The reader of whole configurations, or none when the factory offers none.
std::unique_ptr<ConfigurationReader> wholeReader(const ComponentFactory &factory)
{
    try {
        return factory.createByClassId<ConfigurationReader>(ConfigurationReader::classId());
    } catch (const rt::RuntimeError &error) {
        if (error.number() == rt::CannotCreateObject)
            return nullptr;
        throw;
    }
}

} // namespace

StoredPartitions::StoredPartitions(const ComponentFactory &factory)
    : m_config(factory.createByProgId<QRVdb::CONFIG>(QString::fromLatin1(QRVdb::CONFIG::ProgID))),
      m_nodeTypes(factory.createByProgId<QRVdb::SR>(QString::fromLatin1(QRVdb::SR::ProgID))),
      m_maxima(factory.createByClassId<NodeTypeMaxReader>(NodeTypeMaxReader::classId())), m_whole(wholeReader(factory))
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

std::optional<PartitionSettings> StoredPartitions::partition(qint16 configId, qint16 number)
{
    const QString config = QString::number(configId);
    const QString partition = QString::number(number);
    const RecordSet row = rowset::read(m_config->Get_Partition_Settings_XML(config, partition));
    if (row.isEOF())
        return std::nullopt;
    PartitionSettings p = settingsOf(row);
    const std::map<qint16, QString> &names = nodeTypeNames();
    for (RecordSet maxima = rowset::read(m_maxima->Get_Node_Type_Max_XML(config, partition)); !maxima.isEOF();
         maxima.MoveNext())
        addMaximum(p, maxima, m::NodeType_ID, m::Max_Number, names);
    return p;
}

std::map<qint16, PartitionSettings> StoredPartitions::partitions(qint16 configId,
                                                                 const std::optional<QSet<qint16>> &only)
{
    if (m_whole) {
        std::map<qint16, PartitionSettings> all = whole(configId);
        if (only)
            std::erase_if(all, [&](const auto &entry) { return !only->contains(entry.first); });
        return all;
    }
    if (only)
        return oneByOne(configId, QList<qint16>(only->begin(), only->end()));
    QList<qint16> numbers;
    for (RecordSet rows = rowset::read(m_config->Get_Partitions_XML(QString::number(configId))); !rows.isEOF();
         rows.MoveNext())
        numbers << qint16(numberOf(rows, columns::partitionList::PartitionID));
    return oneByOne(configId, numbers);
}

std::map<qint16, PartitionSettings> StoredPartitions::whole(qint16 configId)
{
    const QString config = QString::number(configId);
    std::map<qint16, PartitionSettings> partitions;
    for (RecordSet rows = rowset::read(m_whole->allPartitionSettingsXml(config)); !rows.isEOF(); rows.MoveNext()) {
        PartitionSettings p = settingsOf(rows);
        partitions.emplace(p.number, std::move(p));
    }
    const std::map<qint16, QString> &names = nodeTypeNames();
    auto p = partitions.end();
    for (RecordSet rows = rowset::read(m_whole->allNodeMaximaXml(config)); !rows.isEOF(); rows.MoveNext()) {
        const qint16 number = qint16(numberOf(rows, w::PartitionID));
        if (p == partitions.end() || p->first != number)
            p = partitions.find(number);
        if (p != partitions.end()) // maxima of a partition stored after its settings were read wait for the next read
            addMaximum(p->second, rows, w::NodeType_ID, w::Max_Number, names);
    }
    return partitions;
}

std::map<qint16, PartitionSettings> StoredPartitions::oneByOne(qint16 configId, const QList<qint16> &numbers)
{
    std::map<qint16, PartitionSettings> partitions;
    for (const qint16 number : numbers) {
        if (std::optional<PartitionSettings> p = partition(configId, number))
            partitions.emplace(number, std::move(*p));
    }
    return partitions;
}

} // namespace transfer
