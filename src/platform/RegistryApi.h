// The three registry calls that the registry reader makes, shaped like the
// Win32 ones (RegOpenKeyExA, RegQueryValueExA, RegCloseKey) so that the reader
// runs the same steps over the real registry on Windows and over the
// file-backed store elsewhere. Answers are Win32 error codes (0 success,
// 2 not found, 234 more data). The API in force can be replaced for tests.
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace platform {

// Predefined root keys, with the values of the Win32 handles.
enum class RootKey : quint32 {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
    Users = 0x80000003u,
};

using RegistryKey = quintptr; // an open key, opaque to its user

namespace RegistryAnswer {
inline constexpr qint32 Success = 0;
inline constexpr qint32 FileNotFound = 2;
inline constexpr qint32 InvalidHandle = 6;
inline constexpr qint32 MoreData = 234;
} // namespace RegistryAnswer

// Read access (KEY_READ).
inline constexpr quint32 kKeyRead = 0x20019;

class RegistryApi
{
public:
    virtual ~RegistryApi() = default;

    virtual qint32 openKey(RootKey root, const QByteArray &subKey, quint32 access, RegistryKey *key) = 0;

    // On entry *length is the size of data; on return it is the value's size.
    // When the value does not fit, the answer is 234 and *length tells the
    // size needed. A missing value answers 2 and leaves type and length alone.
    virtual qint32 queryValue(RegistryKey key, const QByteArray &valueName, quint32 *type, char *data,
                              quint32 *length) = 0;

    virtual qint32 closeKey(RegistryKey key) = 0;
};

// The API in force: the platform's own unless replaced.
RegistryApi &registryApi();

// Replaces the API in force for its lifetime.
class ScopedRegistryApi
{
public:
    explicit ScopedRegistryApi(RegistryApi &replacement);
    ~ScopedRegistryApi();
    ScopedRegistryApi(const ScopedRegistryApi &) = delete;
    ScopedRegistryApi &operator=(const ScopedRegistryApi &) = delete;

private:
    RegistryApi *m_previous;
};

} // namespace platform
