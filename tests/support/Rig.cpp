// The isolated test world of the rules object.
#include "Rig.h"

#include "server/ReadComponents.h"
#include "server/ReferenceComponents.h"
#include "ui/MessageBoxComponent.h"

#include <QDir>

namespace testing {
namespace {

const char *const kVariables[2] = {"VELANTIS_COMMON_APPDATA", "VELANTIS_REGISTRY_FILE"};

// The configuration reader whose settings and partition list reads a test may
// answer itself.
struct InterceptedConfig : server::ConfigReader
{
    using ConfigReader::ConfigReader;
    QString Get_Partition_Settings_XML(const QString &config, const QString &partition) override
    {
        const QString text = hooks->partitionSettings ? hooks->partitionSettings(config, partition) : QString();
        return text.isNull() ? ConfigReader::Get_Partition_Settings_XML(config, partition) : text;
    }
    QString Get_Partitions_XML(const QString &config) override
    {
        const QString text = hooks->partitions ? hooks->partitions(config) : QString();
        return text.isNull() ? ConfigReader::Get_Partitions_XML(config) : text;
    }
    const Interceptors *hooks = nullptr;
};

} // namespace

Rig::Rig(server::ReferenceStore::Seeding seeding, const QString &storeLocation)
{
    const QString root = m_dir.path();
    const QString values[2] = {root, root + QStringLiteral("/registry.json")};
    for (int i = 0; i < 2; ++i)
        qputenv(kVariables[i], QFile::encodeName(values[i]));
    QDir(root).mkpath(QStringLiteral("Velantis/QRVCOM+"));
    store = server::ReferenceStore::open(storeLocation.isEmpty() ? root + "/store.sqlite" : storeLocation, seeding);
    server::registerReferenceComponents(factory, store);
    ui::registerMessageBoxComponent(factory);
    factory.registerProgId(QRVdb::CONFIG::ProgID, [storeRef = store, this] {
        auto reader = std::make_unique<InterceptedConfig>(storeRef);
        reader->hooks = &intercept;
        return reader;
    });
}

Rig::~Rig()
{
    for (const char *variable : kVariables)
        qunsetenv(variable);
}

} // namespace testing
