// Registration of the reference components.
#include "server/ReferenceComponents.h"

#include "server/PartitionNameValidator.h"
#include "server/ReadComponents.h"
#include "server/StoreUnitOfWork.h"
#include "server/WriteComponents.h"

namespace server {

namespace {

const QString kReaderName = QStringLiteral("NodeTypeMaxReader");
const QString kValidatorName = QStringLiteral("NameValidator");
const QString kConfigurationReaderName = QStringLiteral("ConfigurationReader");
const QString kUnitOfWorkName = QString::fromLatin1(UnitOfWork::Source);

template <typename Implementation> ComponentFactory::Creator storeCreator(const std::shared_ptr<ReferenceStore> &store)
{
    return [store] { return std::make_unique<Implementation>(store); };
}

} // namespace

QStringList referenceComponentNames()
{
    return {QString::fromLatin1(QRVdb::CONFIG::ProgID),
            QString::fromLatin1(QRVdb::SR::ProgID),
            QString::fromLatin1(QRVins::INSCONFIG::ProgID),
            QString::fromLatin1(QRVins::INSNODES::ProgID),
            QString::fromLatin1(QRVud::UDCONFIG::ProgID),
            QString::fromLatin1(QRVud::UDNODES::ProgID),
            kReaderName,
            kValidatorName,
            kConfigurationReaderName,
            kUnitOfWorkName};
}

void registerReferenceComponents(ComponentFactory &factory, std::shared_ptr<ReferenceStore> store,
                                 const QStringList &except)
{
    const auto wanted = [&](const QString &name) { return !except.contains(name, Qt::CaseInsensitive); };
    const auto byProgId = [&](const char *progId, ComponentFactory::Creator creator) {
        if (wanted(QString::fromLatin1(progId)))
            factory.registerProgId(QString::fromLatin1(progId), std::move(creator));
    };
    byProgId(QRVdb::CONFIG::ProgID, storeCreator<ConfigReader>(store));
    byProgId(QRVdb::SR::ProgID, storeCreator<NodeTypeList>(store));
    byProgId(QRVins::INSCONFIG::ProgID, storeCreator<PartitionInserter>(store));
    byProgId(QRVins::INSNODES::ProgID, storeCreator<NodeMaxInserter>(store));
    byProgId(QRVud::UDCONFIG::ProgID, storeCreator<PartitionUpdater>(store));
    byProgId(QRVud::UDNODES::ProgID, storeCreator<NodeMaxUpdater>(store));
    if (wanted(kReaderName))
        factory.registerClassId(NodeTypeMaxReader::classId(), storeCreator<NodeMaxReader>(store));
    if (wanted(kValidatorName))
        factory.registerClassId(NameValidator::classId(), [] { return std::make_unique<PartitionNameValidator>(); });
    // The whole reader answers for the configuration reader and the node
    // maximum reader together: only beside both.
    if (wanted(kConfigurationReaderName) && wanted(QString::fromLatin1(QRVdb::CONFIG::ProgID)) && wanted(kReaderName))
        factory.registerClassId(ConfigurationReader::classId(), storeCreator<WholeConfigurationReader>(store));
    if (wanted(kUnitOfWorkName))
        factory.registerUnitOfWork(storeCreator<StoreUnitOfWork>(store));
}

} // namespace server
