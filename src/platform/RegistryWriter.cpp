// Registry writes over the Win32 registry or the file-backed store.
#include "platform/RegistryWriter.h"

#include "platform/FileRegistry.h"
#include "platform/RegistryValueConversion.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace platform {

#ifdef Q_OS_WIN

namespace {

HKEY predefinedKey(RootKey root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<quint32>(root))));
}

} // namespace

bool writeRegistryText(RootKey root, const QString &keyPath, const QString &valueName, const QString &text)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(predefinedKey(root), reinterpret_cast<LPCWSTR>(keyPath.utf16()), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    const DWORD bytes = DWORD((text.size() + 1) * sizeof(wchar_t));
    const LONG answer = RegSetValueExW(key, reinterpret_cast<LPCWSTR>(valueName.utf16()), 0, REG_SZ,
                                       reinterpret_cast<const BYTE *>(text.utf16()), bytes);
    RegCloseKey(key);
    return answer == ERROR_SUCCESS;
}

bool removeRegistryKey(RootKey root, const QString &keyPath)
{
    const LONG answer = RegDeleteKeyW(predefinedKey(root), reinterpret_cast<LPCWSTR>(keyPath.utf16()));
    return answer == ERROR_SUCCESS || answer == ERROR_FILE_NOT_FOUND;
}

bool removeEmptyRegistryKey(RootKey root, const QString &keyPath)
{
    HKEY key = nullptr;
    const LONG opened =
        RegOpenKeyExW(predefinedKey(root), reinterpret_cast<LPCWSTR>(keyPath.utf16()), 0, KEY_QUERY_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND)
        return true;
    if (opened != ERROR_SUCCESS)
        return false;
    DWORD subKeys = 0;
    DWORD values = 0;
    const LONG queried = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                                          nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (queried != ERROR_SUCCESS)
        return false;
    return subKeys != 0 || values != 0 || removeRegistryKey(root, keyPath);
}

#else

bool writeRegistryText(RootKey root, const QString &keyPath, const QString &valueName, const QString &text)
{
    return FileRegistry::writeValue(FileRegistry::defaultFilePath(), root, keyPath, valueName,
                                    {RegistryType::Text, text.toLocal8Bit() + '\0'});
}

bool removeRegistryKey(RootKey root, const QString &keyPath)
{
    return FileRegistry::removeKey(FileRegistry::defaultFilePath(), root, keyPath);
}

bool removeEmptyRegistryKey(RootKey root, const QString &keyPath)
{
    return FileRegistry::removeEmptyKey(FileRegistry::defaultFilePath(), root, keyPath);
}

#endif

} // namespace platform
