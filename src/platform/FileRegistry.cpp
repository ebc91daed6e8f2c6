// The file-backed registry: a JSON store of typed values behind the registry calls.
#include "platform/FileRegistry.h"

#include "platform/RegistryValueConversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QtDebug>
#include <cstring>
#include <optional>

namespace platform {
namespace {

QString rootName(RootKey root)
{
    switch (root) {
    case RootKey::ClassesRoot: return QStringLiteral("HKEY_CLASSES_ROOT");
    case RootKey::CurrentUser: return QStringLiteral("HKEY_CURRENT_USER");
    case RootKey::LocalMachine: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case RootKey::Users: return QStringLiteral("HKEY_USERS");
    }
    return {};
}

QString fullKeyPath(RootKey root, const QString &keyPath)
{
    return keyPath.isEmpty() ? rootName(root) : rootName(root) + u'\\' + keyPath;
}

QJsonObject readStore(const QString &filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

// The store a write starts from: empty when the file is missing or holds
// only blanks. A file that is there but cannot be read, or holds no JSON
// object, gives nothing: it is reported and never rewritten, since writing
// would lose what it holds.
std::optional<QJsonObject> storeToChange(const QString &filePath)
{
    QFile file(filePath);
    if (!file.exists())
        return QJsonObject();
    QString fault;
    if (!file.open(QIODevice::ReadOnly)) {
        fault = QStringLiteral("cannot be read (%1)").arg(file.errorString());
    } else {
        const QByteArray text = file.readAll();
        if (text.trimmed().isEmpty() && file.error() == QFileDevice::NoError)
            return QJsonObject();
        QJsonParseError parse{};
        const QJsonDocument document = QJsonDocument::fromJson(text, &parse);
        if (parse.error != QJsonParseError::NoError)
            fault = QStringLiteral("cannot be parsed (%1 at offset %2)").arg(parse.errorString()).arg(parse.offset);
        else if (!document.isObject())
            fault = QStringLiteral("holds no JSON object");
        else
            return document.object();
    }
    qWarning().noquote() << QStringLiteral("the registry file %1 %2; it was left as it is").arg(filePath, fault);
    return std::nullopt;
}

StoredRegistryValue storedValue(const QJsonObject &entry)
{
    StoredRegistryValue value;
    value.type = quint32(entry.value(QLatin1String("type")).toInteger());
    if (entry.contains(QLatin1String("hex")))
        value.bytes = QByteArray::fromHex(entry.value(QLatin1String("hex")).toString().toLatin1());
    else
        value.bytes = entry.value(QLatin1String("text")).toString().toUtf8() + '\0';
    return value;
}

// A value as the store writes it: a text value whose bytes are UTF-8 and end
// with their only NUL in the short form "text", anything else in "hex".
QJsonObject storedEntry(const StoredRegistryValue &value)
{
    const QByteArray text = value.bytes.chopped(value.bytes.isEmpty() ? 0 : 1);
    const bool plainText = (value.type == RegistryType::Text || value.type == RegistryType::ExpandableText)
                           && value.bytes.endsWith('\0') && !text.contains('\0')
                           && QString::fromUtf8(text).toUtf8() == text;
    if (plainText)
        return {{QStringLiteral("type"), qint64(value.type)}, {QStringLiteral("text"), QString::fromUtf8(text)}};
    return {{QStringLiteral("type"), qint64(value.type)},
            {QStringLiteral("hex"), QString::fromLatin1(value.bytes.toHex())}};
}

// Replaces the file whole: the new text goes to a temporary file beside it,
// which is renamed over the old one, so a crash leaves either file complete.
// Where no temporary file can be made, nothing is written.
bool saveStore(const QString &filePath, const QJsonObject &store)
{
    QDir().mkpath(QFileInfo(filePath).absolutePath());
    QSaveFile file(filePath);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(store).toJson());
    return file.commit();
}

// The store's member name of a key: its own spelling when the store has it
// (names match without regard to case), else the full path.
QString storedKeyName(const QJsonObject &store, const QString &keyName)
{
    for (auto it = store.begin(); it != store.end(); ++it)
        if (it.key().compare(keyName, Qt::CaseInsensitive) == 0)
            return it.key();
    return keyName;
}

} // namespace

QString FileRegistry::defaultFilePath()
{
    const QByteArray named = qgetenv("VELANTIS_REGISTRY_FILE");
    return named.isEmpty() ? QStringLiteral("/etc/velantis/registry.json") : QFile::decodeName(named);
}

FileRegistry::FileRegistry(QString filePath) : m_filePath(std::move(filePath)) {}

qint32 FileRegistry::openKey(RootKey root, const QByteArray &subKey, quint32, RegistryKey *key)
{
    const QString wanted = fullKeyPath(root, QString::fromLocal8Bit(subKey));
    const QJsonObject store = readStore(m_filePath.isEmpty() ? defaultFilePath() : m_filePath);
    for (auto it = store.begin(); it != store.end(); ++it) {
        if (it.key().compare(wanted, Qt::CaseInsensitive) != 0 || !it.value().isObject())
            continue;
        Values values;
        const QJsonObject entries = it.value().toObject();
        for (auto entry = entries.begin(); entry != entries.end(); ++entry)
            values.insert(entry.key().toLower(), storedValue(entry.value().toObject()));
        *key = m_nextKey++;
        m_openKeys.insert(*key, values);
        return RegistryAnswer::Success;
    }
    return RegistryAnswer::FileNotFound;
}

qint32 FileRegistry::queryValue(RegistryKey key, const QByteArray &valueName, quint32 *type, char *data,
                                quint32 *length)
{
    const auto open = m_openKeys.constFind(key);
    if (open == m_openKeys.constEnd())
        return RegistryAnswer::InvalidHandle;
    const auto found = open->constFind(QString::fromLocal8Bit(valueName).toLower());
    if (found == open->constEnd())
        return RegistryAnswer::FileNotFound;
    const quint32 size = quint32(found->bytes.size());
    *type = found->type;
    const bool fits = data == nullptr || *length >= size;
    if (data != nullptr && fits)
        std::memcpy(data, found->bytes.constData(), size);
    *length = size;
    return fits ? RegistryAnswer::Success : RegistryAnswer::MoreData;
}

qint32 FileRegistry::closeKey(RegistryKey key)
{
    return m_openKeys.remove(key) ? RegistryAnswer::Success : RegistryAnswer::InvalidHandle;
}

bool FileRegistry::writeValue(const QString &filePath, RootKey root, const QString &keyPath, const QString &valueName,
                              const StoredRegistryValue &value)
{
    std::optional<QJsonObject> store = storeToChange(filePath);
    if (!store)
        return false;
    const QString keyName = storedKeyName(*store, fullKeyPath(root, keyPath));
    QJsonObject values = store->value(keyName).toObject();
    values.insert(valueName, storedEntry(value));
    store->insert(keyName, values);
    return saveStore(filePath, *store);
}

bool FileRegistry::removeKey(const QString &filePath, RootKey root, const QString &keyPath)
{
    std::optional<QJsonObject> store = storeToChange(filePath);
    if (!store)
        return false;
    const QString keyName = storedKeyName(*store, fullKeyPath(root, keyPath));
    if (!store->contains(keyName))
        return true;
    store->remove(keyName);
    return saveStore(filePath, *store);
}

bool FileRegistry::removeEmptyKey(const QString &filePath, RootKey root, const QString &keyPath)
{
    const std::optional<QJsonObject> store = storeToChange(filePath);
    if (!store)
        return false;
    const QString keyName = fullKeyPath(root, keyPath);
    const QString below = keyName + u'\\';
    for (auto it = store->begin(); it != store->end(); ++it)
        if (it.key().startsWith(below, Qt::CaseInsensitive))
            return true;
    return !store->value(storedKeyName(*store, keyName)).toObject().isEmpty() || removeKey(filePath, root, keyPath);
}

} // namespace platform
