// The registry calls passed straight to RegOpenKeyExA, RegQueryValueExA and RegCloseKey.
#include "platform/WindowsRegistry.h"

#ifdef Q_OS_WIN

#include <windows.h>

namespace platform {
namespace {

// The predefined handles are 32-bit LONG values widened with their sign
// (HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002 in a 64-bit process).
HKEY predefinedKey(RootKey root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<quint32>(root))));
}

} // namespace

qint32 WindowsRegistry::openKey(RootKey root, const QByteArray &subKey, quint32 access, RegistryKey *key)
{
    HKEY opened = nullptr;
    const LONG answer = RegOpenKeyExA(predefinedKey(root), subKey.constData(), 0, REGSAM(access), &opened);
    if (answer == ERROR_SUCCESS)
        *key = reinterpret_cast<RegistryKey>(opened);
    return qint32(answer);
}

qint32 WindowsRegistry::queryValue(RegistryKey key, const QByteArray &valueName, quint32 *type, char *data,
                                   quint32 *length)
{
    DWORD valueType = *type;
    DWORD size = *length;
    const LONG answer = RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.constData(), nullptr, &valueType,
                                         reinterpret_cast<LPBYTE>(data), &size);
    *type = quint32(valueType);
    *length = quint32(size);
    return qint32(answer);
}

qint32 WindowsRegistry::closeKey(RegistryKey key) { return qint32(RegCloseKey(reinterpret_cast<HKEY>(key))); }

} // namespace platform

#endif
