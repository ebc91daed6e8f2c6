// The registry reader over the registry calls in force, and the choice of those calls.
#include "platform/Registry.h"

#include "platform/FileRegistry.h"
#include "platform/RegistryValueConversion.h"
#include "platform/WindowsRegistry.h"

namespace platform {
namespace {

RegistryApi *&current()
{
#ifdef Q_OS_WIN
    static WindowsRegistry system;
#else
    static FileRegistry system;
#endif
    static RegistryApi *inForce = &system;
    return inForce;
}

// The value's type and bytes, with one more query when the first buffer is too small.
struct QueriedValue
{
    quint32 type = RegistryType::None;
    QByteArray data;
    quint32 length = kRegistryBufferSize;
};

QueriedValue queryValue(RegistryApi &api, RegistryKey key, const QByteArray &name)
{
    QueriedValue value;
    value.data = QByteArray(qsizetype(kRegistryBufferSize), '\0');
    const qint32 answer = api.queryValue(key, name, &value.type, value.data.data(), &value.length);
    if (answer == RegistryAnswer::MoreData) {
        value.data = QByteArray(qsizetype(value.length), '\0');
        api.queryValue(key, name, &value.type, value.data.data(), &value.length);
    }
    return value;
}

} // namespace

RegistryApi &registryApi() { return *current(); }

ScopedRegistryApi::ScopedRegistryApi(RegistryApi &replacement) : m_previous(current()) { current() = &replacement; }

ScopedRegistryApi::~ScopedRegistryApi() { current() = m_previous; }

Variant registryValue(RootKey root, const QString &keyPath, const QString &valueName, const Variant &defaultValue)
{
    RegistryApi &api = registryApi();
    RegistryKey key = 0;
    if (api.openKey(root, keyPath.toLocal8Bit(), kKeyRead, &key) != RegistryAnswer::Success)
        return defaultValue;
    Variant result;
    try {
        const QueriedValue value = queryValue(api, key, valueName.toLocal8Bit());
        result = convertRegistryValue(value.type, value.data, value.length);
    } catch (...) {
        api.closeKey(key);
        throw;
    }
    api.closeKey(key);
    return result;
}

} // namespace platform
