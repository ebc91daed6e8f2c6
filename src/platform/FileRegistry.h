// A small file-backed registry for systems without one: a JSON file of typed
// values, read afresh on every key opening and answering like the Win32
// registry calls (so a value longer than the caller's buffer answers 234).
//
// Location: the file named by the environment variable
// VELANTIS_REGISTRY_FILE, or /etc/velantis/registry.json. To a reader a
// missing or unreadable file holds no keys; a write refuses an unreadable one. Layout: one member per key, named by its
// full path (root key name, a backslash, the key path; matched without
// regard to case), holding one member per value name:
//
//   {
//     "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders": {
//       "Common AppData": { "type": 1, "text": "/srv/shared" },
//       "Raw":            { "type": 3, "hex": "00ff10" }
//     }
//   }
//
// "hex" gives the stored bytes exactly, as the registry holds them (a text
// value's bytes end with its NUL). "text" is the short form for types 1 and
// 2: the text's UTF-8 bytes followed by one NUL; writes use it whenever it fits.
#pragma once

#include "platform/RegistryApi.h"

#include <QHash>
#include <QString>

namespace platform {

struct StoredRegistryValue
{
    quint32 type = 0;
    QByteArray bytes;
};

class FileRegistry : public RegistryApi
{
public:
    // The store's file as configured by the environment.
    static QString defaultFilePath();

    // Uses the given file, or the configured one when the path is empty.
    explicit FileRegistry(QString filePath = {});

    qint32 openKey(RootKey root, const QByteArray &subKey, quint32 access, RegistryKey *key) override;
    qint32 queryValue(RegistryKey key, const QByteArray &valueName, quint32 *type, char *data,
                      quint32 *length) override;
    qint32 closeKey(RegistryKey key) override;

    // The writes below change a store file (created with its folder when
    // missing) and keep the rest of it. A file that is there but cannot be
    // read or parsed is never rewritten: the write fails, and a warning names
    // the file and the fault. A write replaces the file whole, through a
    // temporary file renamed over it, so that a crash never leaves half a file.
    //
    // Writes one value. Returns false when the file cannot be written.
    static bool writeValue(const QString &filePath, RootKey root, const QString &keyPath, const QString &valueName,
                           const StoredRegistryValue &value);
    // Removes one key with its values; the keys below it stay. True when the
    // key is gone (or never was), false when the file cannot be written.
    static bool removeKey(const QString &filePath, RootKey root, const QString &keyPath);
    // The same for a key with neither values nor keys below it; one that holds
    // some stays, and counts as done.
    static bool removeEmptyKey(const QString &filePath, RootKey root, const QString &keyPath);

private:
    using Values = QHash<QString, StoredRegistryValue>; // by lower-case value name

    QString m_filePath;
    QHash<RegistryKey, Values> m_openKeys;
    RegistryKey m_nextKey = 1;
};

} // namespace platform
