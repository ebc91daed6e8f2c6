// Writing and removing one class's registry keys.
#include "comkit/ClassRegistration.h"

#include "platform/RegistryWriter.h"

#include <QStringList>

namespace com {
namespace {

using platform::RootKey;

QString classKey(const QUuid &classId) { return QStringLiteral("CLSID\\") + registryText(classId); }

bool writeDefault(const QString &key, const QString &text)
{
    return platform::writeRegistryText(RootKey::ClassesRoot, key, QString(), text);
}

} // namespace

QString registryText(const QUuid &classId) { return classId.toString(QUuid::WithBraces).toUpper(); }

bool writeClassKeys(const RegisteredClass &entry, const QString &libraryPath)
{
    const QString key = classKey(entry.classId);
    const QString server = key + QStringLiteral("\\InprocServer32");
    const bool written = writeDefault(key, entry.name) && writeDefault(server, libraryPath)
                         && platform::writeRegistryText(RootKey::ClassesRoot, server, QStringLiteral("ThreadingModel"),
                                                        QStringLiteral("Apartment"));
    if (!written || entry.progId.isEmpty())
        return written;
    return writeDefault(key + QStringLiteral("\\ProgID"), entry.progId)
           && writeDefault(entry.progId + QStringLiteral("\\CLSID"), registryText(entry.classId));
}

bool removeClassKeys(const RegisteredClass &entry)
{
    const QString key = classKey(entry.classId);
    QStringList keys{key + QStringLiteral("\\InprocServer32"), key + QStringLiteral("\\ProgID"), key};
    if (!entry.progId.isEmpty())
        keys << entry.progId + QStringLiteral("\\CLSID");
    bool removed = true;
    for (const QString &each : keys)
        removed = platform::removeRegistryKey(RootKey::ClassesRoot, each) && removed;
    if (!entry.progId.isEmpty())
        removed = platform::removeEmptyRegistryKey(RootKey::ClassesRoot, entry.progId) && removed;
    return removed;
}

} // namespace com
