// Registration of the class under the classes root:
//   CLSID\{id}                          (default) "Busyness_Rules"
//   CLSID\{id}\InprocServer32           (default) the library's path, ThreadingModel "Apartment"
//   CLSID\{id}\ProgID                   (default) "VEL_PART_SET.Busyness_Rules"
//   VEL_PART_SET.Busyness_Rules\CLSID   (default) "{id}"
// Unregistering removes those keys, deepest first, and then the ProgID's key
// when nothing else (no value, no other subkey) is left in it; nothing else.
#include "inproc/LibraryPath.h"
#include "inproc/ServerState.h"
#include "platform/RegistryWriter.h"

#include <QStringList>
#include <QUuid>

namespace {

using platform::RootKey;

const QString kProgId = QStringLiteral(VEL_PART_SET_PROGID);

// "{E1188022-...}": the class identifier as the registry writes it.
QString classIdText()
{
    const GUID &id = CLSID_Busyness_Rules;
    const QUuid uuid(id.Data1, id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3], id.Data4[4],
                     id.Data4[5], id.Data4[6], id.Data4[7]);
    return uuid.toString(QUuid::WithBraces).toUpper();
}

QString classKey() { return QStringLiteral("CLSID\\") + classIdText(); }

bool writeKeys(const QString &path)
{
    const QString key = classKey();
    const QString server = key + QStringLiteral("\\InprocServer32");
    const QString defaultValue;
    return platform::writeRegistryText(RootKey::ClassesRoot, key, defaultValue, QStringLiteral("Busyness_Rules"))
           && platform::writeRegistryText(RootKey::ClassesRoot, server, defaultValue, path)
           && platform::writeRegistryText(RootKey::ClassesRoot, server, QStringLiteral("ThreadingModel"),
                                          QStringLiteral("Apartment"))
           && platform::writeRegistryText(RootKey::ClassesRoot, key + QStringLiteral("\\ProgID"), defaultValue, kProgId)
           && platform::writeRegistryText(RootKey::ClassesRoot, kProgId + QStringLiteral("\\CLSID"), defaultValue,
                                          classIdText());
}

bool removeKeys()
{
    const QString key = classKey();
    const QStringList keys{key + QStringLiteral("\\InprocServer32"), key + QStringLiteral("\\ProgID"), key,
                           kProgId + QStringLiteral("\\CLSID")};
    bool removed = true;
    for (const QString &each : keys)
        removed = platform::removeRegistryKey(RootKey::ClassesRoot, each) && removed;
    return platform::removeEmptyRegistryKey(RootKey::ClassesRoot, kProgId) && removed;
}

} // namespace

VEL_ENTRY DllRegisterServer(void)
{
    return inproc::guarded([] {
        const QString path = inproc::libraryPath();
        return !path.isEmpty() && writeKeys(path) ? S_OK : SELFREG_E_CLASS;
    });
}

VEL_ENTRY DllUnregisterServer(void)
{
    return inproc::guarded([] { return removeKeys() ? S_OK : SELFREG_E_CLASS; });
}
