// The registry calls passed straight to RegOpenKeyExA, RegQueryValueExA and RegCloseKey.
#include "platform/WindowsRegistry.h"

#ifdef Q_OS_WIN

#include <windows.h>

namespace platform {

qint32 WindowsRegistry::openKey(RootKey root, const QByteArray &subKey, quint32 access,
                                RegistryKey *key)
{
    HKEY opened = nullptr;
    const LONG answer = RegOpenKeyExA(reinterpret_cast<HKEY>(quintptr(root)), subKey.constData(),
                                      0, REGSAM(access), &opened);
    if (answer == ERROR_SUCCESS)
        *key = reinterpret_cast<RegistryKey>(opened);
    return qint32(answer);
}

qint32 WindowsRegistry::queryValue(RegistryKey key, const QByteArray &valueName, quint32 *type,
                                   char *data, quint32 *length)
{
    DWORD valueType = *type;
    DWORD size = *length;
    const LONG answer = RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.constData(),
                                         nullptr, &valueType, reinterpret_cast<LPBYTE>(data), &size);
    *type = quint32(valueType);
    *length = quint32(size);
    return qint32(answer);
}

qint32 WindowsRegistry::closeKey(RegistryKey key)
{
    return qint32(RegCloseKey(reinterpret_cast<HKEY>(key)));
}

} // namespace platform

#endif
