// The isolated test world of the rules object.
#include "Rig.h"

#include "server/ReadComponents.h"
#include "server/ReferenceComponents.h"
#include "ui/MessageBoxComponent.h"

#include <QDir>
#include <QFile>

namespace testing {
namespace {

std::optional<QByteArray> swapEnvironment(const char *name, const QByteArray &value)
{
    std::optional<QByteArray> previous;
    if (qEnvironmentVariableIsSet(name))
        previous = qgetenv(name);
    qputenv(name, value);
    return previous;
}

void restoreEnvironment(const char *name, const std::optional<QByteArray> &value)
{
    if (value)
        qputenv(name, *value);
    else
        qunsetenv(name);
}

// An intercepted answer, or the store's when the hook gave a null text.
template <typename Real> QString orReal(const QString &intercepted, Real real)
{
    return intercepted.isNull() ? real() : intercepted;
}

// The configuration reader, with reads a test may answer itself.
class InterceptedConfig : public QRVdb::CONFIG
{
public:
    InterceptedConfig(std::shared_ptr<server::ReferenceStore> store, const Interceptors &intercept)
        : m_real(std::move(store)), m_intercept(intercept)
    {
    }
    QString Get_Partition_Settings_XML(const QString &config, const QString &partition) override
    {
        return orReal(m_intercept.partitionSettings ? m_intercept.partitionSettings(config, partition) : QString(),
                      [&] { return m_real.Get_Partition_Settings_XML(config, partition); });
    }
    QString Get_Configuration_XML() override
    {
        return orReal(m_intercept.configuration ? m_intercept.configuration() : QString(),
                      [&] { return m_real.Get_Configuration_XML(); });
    }
    QString Get_Partitions_XML(const QString &config) override
    {
        return orReal(m_intercept.partitions ? m_intercept.partitions(config) : QString(),
                      [&] { return m_real.Get_Partitions_XML(config); });
    }

private:
    server::ConfigReader m_real;
    const Interceptors &m_intercept;
};

class InterceptedNodeTypes : public QRVdb::SR
{
public:
    InterceptedNodeTypes(std::shared_ptr<server::ReferenceStore> store, const Interceptors &intercept)
        : m_real(std::move(store)), m_intercept(intercept)
    {
    }
    QString Get_Node_Types_XML() override
    {
        return orReal(m_intercept.nodeTypes ? m_intercept.nodeTypes() : QString(),
                      [&] { return m_real.Get_Node_Types_XML(); });
    }

private:
    server::NodeTypeList m_real;
    const Interceptors &m_intercept;
};

class InterceptedNodeMaxima : public NodeTypeMaxReader
{
public:
    InterceptedNodeMaxima(std::shared_ptr<server::ReferenceStore> store, const Interceptors &intercept)
        : m_real(std::move(store)), m_intercept(intercept)
    {
    }
    QString Get_Node_Type_Max_XML(const QString &config, const QString &partition) override
    {
        return orReal(m_intercept.nodeMaxima ? m_intercept.nodeMaxima(config, partition) : QString(),
                      [&] { return m_real.Get_Node_Type_Max_XML(config, partition); });
    }

private:
    server::NodeMaxReader m_real;
    const Interceptors &m_intercept;
};

} // namespace

Rig::Rig(DataFolder dataFolder, server::ReferenceStore::Seeding seeding)
{
    const QString root = m_dir.path();
    m_savedAppData = swapEnvironment("VELANTIS_COMMON_APPDATA", QFile::encodeName(root));
    m_savedRegistry = swapEnvironment("VELANTIS_REGISTRY_FILE", QFile::encodeName(root + "/registry.json"));
    if (dataFolder == DataFolder::Present)
        QDir(root).mkpath(QStringLiteral("Velantis/QRVCOM+"));
    store = server::ReferenceStore::openSqlite(root + QStringLiteral("/store.sqlite"), seeding);
    registerComponents({});
}

Rig::~Rig()
{
    restoreEnvironment("VELANTIS_COMMON_APPDATA", m_savedAppData);
    restoreEnvironment("VELANTIS_REGISTRY_FILE", m_savedRegistry);
}

void Rig::registerComponents(const QStringList &except)
{
    factory.clear();
    server::registerReferenceComponents(factory, store, except);
    if (!except.contains(QLatin1String(VEL_MsgBox::Busyness_Rules::ProgID), Qt::CaseInsensitive))
        ui::registerMessageBoxComponent(factory);
    const auto storeRef = store;
    const Interceptors &hooks = intercept;
    if (!except.contains(QLatin1String(QRVdb::CONFIG::ProgID)))
        factory.registerProgId(QRVdb::CONFIG::ProgID,
                               [storeRef, &hooks] { return std::make_unique<InterceptedConfig>(storeRef, hooks); });
    if (!except.contains(QLatin1String(QRVdb::SR::ProgID)))
        factory.registerProgId(QRVdb::SR::ProgID,
                               [storeRef, &hooks] { return std::make_unique<InterceptedNodeTypes>(storeRef, hooks); });
    if (!except.contains(QStringLiteral("NodeTypeMaxReader")))
        factory.registerClassId(NodeTypeMaxReader::classId(), [storeRef, &hooks] {
            return std::make_unique<InterceptedNodeMaxima>(storeRef, hooks);
        });
}

void Rig::withoutComponent(const QString &name)
{
    m_missing.append(name);
    registerComponents(m_missing);
}

QString Rig::userLogPath() const { return m_dir.path() + QStringLiteral("/Velantis/QRVCOM+/User_Log.txt"); }

QStringList Rig::userLogLines() const
{
    QFile file(userLogPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString malformedAnswer() { return QStringLiteral("<xml><rs:data><z:row ID='1'></xml>"); }

} // namespace testing
