// Reads of the reference components: strict arguments, one query, rowset XML.
#include "server/ReadComponents.h"

#include "rowset/Rowset.h"
#include "server/Arguments.h"
#include "server/ServerErrors.h"

namespace server {

namespace {

// Runs a read of the store and writes its answer. Writing can fail too (a
// value the format cannot carry); that is the component's own failure.
template <typename Read> QString answer(const QString &source, const QString &context, Read read)
{
    const RecordSet records = asComponent(source, context, read);
    try {
        return rowset::write(records);
    } catch (const rt::RuntimeError &e) {
        throw componentError(kDatabaseFailure, source, context, e.description());
    }
}

// A read of one partition's rows: both numbers read strictly, the answer under
// the partition's context.
template <typename Read> QString partitionAnswer(const char *progId, const char *operation, const QString &configId,
                                                 const QString &partition, Read read)
{
    const QString source = QString::fromLatin1(progId);
    const ArgumentReader args(source, QLatin1String(operation));
    const qint16 config = args.integer(QStringLiteral("configuration identifier"), configId);
    const qint16 number = args.integer(QStringLiteral("partition number"), partition);
    return answer(source, partitionContext(operation, config, number), [&] { return read(config, number); });
}

} // namespace

// A read of a whole configuration's rows, its number read strictly.
template <typename Read> QString configurationAnswer(const char *source, const char *operation, const QString &configId,
                                                     Read read)
{
    const QString from = QString::fromLatin1(source);
    const ArgumentReader args(from, QLatin1String(operation));
    const qint16 config = args.integer(QStringLiteral("configuration identifier"), configId);
    const QString context = QStringLiteral("%1 for configuration %2").arg(QLatin1String(operation)).arg(config);
    return answer(from, context, [&] { return read(config); });
}

QString ConfigReader::Get_Partition_Settings_XML(const QString &configId, const QString &partition)
{
    return partitionAnswer(
        ProgID, "Get_Partition_Settings_XML", configId, partition,
        [&](qint16 config, qint16 number) { return m_store->loadPartitionSettings(config, number); });
}

QString ConfigReader::Get_Configuration_XML()
{
    const QString source = QString::fromLatin1(ProgID);
    const QString context = QStringLiteral("Get_Configuration_XML");
    return answer(source, context, [&] { return m_store->configurations(); });
}

QString ConfigReader::Get_Partitions_XML(const QString &configId)
{
    return configurationAnswer(ProgID, "Get_Partitions_XML", configId,
                               [&](qint16 config) { return m_store->partitions(config); });
}

QString NodeTypeList::Get_Node_Types_XML()
{
    const QString source = QString::fromLatin1(ProgID);
    const QString context = QStringLiteral("Get_Node_Types_XML");
    return answer(source, context, [&] { return m_store->nodeTypes(); });
}

QString NodeMaxReader::Get_Node_Type_Max_XML(const QString &configId, const QString &partition)
{
    return partitionAnswer(kNodeTypeMaxReaderSource, "Get_Node_Type_Max_XML", configId, partition,
                           [&](qint16 config, qint16 number) { return m_store->loadNodeMaxima(config, number); });
}

QString WholeConfigurationReader::allPartitionSettingsXml(const QString &configId)
{
    return configurationAnswer(kConfigurationReaderSource, "allPartitionSettingsXml", configId,
                               [&](qint16 config) { return m_store->loadAllPartitionSettings(config); });
}

QString WholeConfigurationReader::allNodeMaximaXml(const QString &configId)
{
    return configurationAnswer(kConfigurationReaderSource, "allNodeMaximaXml", configId,
                               [&](qint16 config) { return m_store->loadAllNodeMaxima(config); });
}

} // namespace server
