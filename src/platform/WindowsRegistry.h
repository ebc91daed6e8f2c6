// The registry calls over the Win32 registry (Windows only).
#pragma once

#include "platform/RegistryApi.h"

#ifdef Q_OS_WIN

namespace platform {

class WindowsRegistry : public RegistryApi
{
public:
    qint32 openKey(RootKey root, const QByteArray &subKey, quint32 access, RegistryKey *key) override;
    qint32 queryValue(RegistryKey key, const QByteArray &valueName, quint32 *type, char *data,
                      quint32 *length) override;
    qint32 closeKey(RegistryKey key) override;
};

} // namespace platform

#endif
