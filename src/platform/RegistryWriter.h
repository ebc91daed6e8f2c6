// Writing the registry: one text value set, one key removed (or removed only
// when empty). Registering the component uses them, on the Win32 registry on
// Windows and on the file-backed store elsewhere (the file that
// FileRegistry::defaultFilePath() names, created with its folder when missing).
#pragma once

#include "platform/RegistryApi.h"

#include <QString>

namespace platform {

// Sets a text value (REG_SZ; an empty name is the key's default value),
// creating the key. False when the registry refuses.
bool writeRegistryText(RootKey root, const QString &keyPath, const QString &valueName, const QString &text);

// Removes one key and its values, never its subkeys (the file-backed store
// keeps them; the Win32 registry refuses a key that has some). A key that is
// not there counts as removed.
bool removeRegistryKey(RootKey root, const QString &keyPath);

// Removes the key only when it holds neither values nor subkeys; a key that
// still holds some stays. True when the key is gone or stays so, false when
// the registry refuses.
bool removeEmptyRegistryKey(RootKey root, const QString &keyPath);

} // namespace platform
