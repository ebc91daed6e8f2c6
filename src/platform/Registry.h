// The registry reader: one value of one key, as a field value.
//
// The result starts as the default. The key is opened for reading; when it
// cannot be opened the default is returned. The value is queried into a
// 1024-byte buffer; when the registry answers 234 (more data) the buffer is
// sized to the reported length and the value queried once more. The bytes are
// then converted by the reported type (see RegistryValueConversion.h) and the
// key closed. The answer of the query itself is not checked: a value that is
// missing from an existing key keeps the type 0 and so raises error 1001
// "Unsupported value type", like any other type that cannot be converted;
// the key is closed before the error leaves.
#pragma once

#include "core/Variant.h"
#include "platform/RegistryApi.h"

#include <QString>

namespace platform {

inline constexpr quint32 kRegistryBufferSize = 1024;

Variant registryValue(RootKey root, const QString &keyPath, const QString &valueName,
                      const Variant &defaultValue = Variant::text(QString()));

} // namespace platform
