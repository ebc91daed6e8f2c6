// Reads of the reference components: strict arguments, one query, rowset XML.
#include "server/ReadComponents.h"

#include "data/Rowset.h"
#include "server/Arguments.h"
#include "server/ServerErrors.h"

namespace server {

namespace {

QString partitionContext(const char *operation, qint16 configId, qint16 partition)
{
    return QStringLiteral("%1 for partition %2 of configuration %3")
        .arg(QLatin1String(operation)).arg(partition).arg(configId);
}

// Writing the answer can fail too (a value the format cannot carry); that is
// reported as the component's own failure.
QString toXml(const QString &source, const QString &context, const RecordSet &records)
{
    try {
        return rowset::write(records);
    } catch (const rt::RuntimeError &e) {
        throw rt::RuntimeError(kDatabaseFailure, source, context + QStringLiteral(": ") + e.description());
    }
}

} // namespace

QString ConfigReader::Get_Partition_Settings_XML(const QString &configId, const QString &partition)
{
    const QString source = QString::fromLatin1(ProgID);
    const ArgumentReader args(source, QStringLiteral("Get_Partition_Settings_XML"));
    const qint16 config = args.integer(QStringLiteral("configuration identifier"), configId);
    const qint16 number = args.integer(QStringLiteral("partition number"), partition);
    const QString context = partitionContext("Get_Partition_Settings_XML", config, number);
    return toXml(source, context, asComponent(source, context, [&] { return m_store->partitionSettings(config, number); }));
}

QString ConfigReader::Get_Configuration_XML()
{
    const QString source = QString::fromLatin1(ProgID);
    const QString context = QStringLiteral("Get_Configuration_XML");
    return toXml(source, context, asComponent(source, context, [&] { return m_store->configurations(); }));
}

QString ConfigReader::Get_Partitions_XML(const QString &configId)
{
    const QString source = QString::fromLatin1(ProgID);
    const ArgumentReader args(source, QStringLiteral("Get_Partitions_XML"));
    const qint16 config = args.integer(QStringLiteral("configuration identifier"), configId);
    const QString context = QStringLiteral("Get_Partitions_XML for configuration %1").arg(config);
    return toXml(source, context, asComponent(source, context, [&] { return m_store->partitions(config); }));
}

QString NodeTypeList::Get_Node_Types_XML()
{
    const QString source = QString::fromLatin1(ProgID);
    const QString context = QStringLiteral("Get_Node_Types_XML");
    return toXml(source, context, asComponent(source, context, [&] { return m_store->nodeTypes(); }));
}

QString NodeMaxReader::Get_Node_Type_Max_XML(const QString &configId, const QString &partition)
{
    const QString source = QString::fromLatin1(kNodeTypeMaxReaderSource);
    const ArgumentReader args(source, QStringLiteral("Get_Node_Type_Max_XML"));
    const qint16 config = args.integer(QStringLiteral("configuration identifier"), configId);
    const qint16 number = args.integer(QStringLiteral("partition number"), partition);
    const QString context = partitionContext("Get_Node_Type_Max_XML", config, number);
    return toXml(source, context, asComponent(source, context, [&] { return m_store->nodeMaxima(config, number); }));
}

} // namespace server
