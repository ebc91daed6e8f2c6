// Where the system has no COM runtime, the creation of objects of
// registered in-process servers: the registry names the class of a ProgID
// and the library of a class; the library's DllGetClassObject gives the
// class factory. Libraries stay loaded once loaded, since objects of theirs
// may be alive anywhere in the process.
#include "comruntime/VEL_COM.h"

#ifndef _WIN32

#include "platform/Registry.h"

#include <QHash>
#include <QLibrary>
#include <QUuid>
#include <mutex>

namespace {

// A key's default text; empty when the key or its value is missing.
QString registeredText(const QString &keyPath)
{
    try {
        return platform::registryValue(platform::RootKey::ClassesRoot, keyPath, QString()).toText();
    } catch (...) {
        return {};
    }
}

QString classIdText(const CLSID &id)
{
    return QUuid(id.Data1, id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3], id.Data4[4],
                 id.Data4[5], id.Data4[6], id.Data4[7])
        .toString(QUuid::WithBraces)
        .toUpper();
}

// The class-object entry of the library at that path, loaded once; null
// with the answer that says why when there is none.
VEL_DllGetClassObject classObjectEntry(const QString &path, HRESULT *why)
{
    static std::mutex guard;
    static QHash<QString, VEL_DllGetClassObject> loaded;
    const std::lock_guard<std::mutex> lock(guard);
    if (const auto found = loaded.constFind(path); found != loaded.constEnd())
        return *found;
    QLibrary library(path);
    if (!library.load()) {
        qWarning("CoCreateInstance: %s", qPrintable(library.errorString()));
        *why = CO_E_DLLNOTFOUND;
        return nullptr;
    }
    const auto entry = reinterpret_cast<VEL_DllGetClassObject>(library.resolve("DllGetClassObject"));
    if (!entry) {
        *why = CO_E_ERRORINDLL;
        return nullptr;
    }
    loaded.insert(path, entry);
    return entry;
}

} // namespace

HRESULT CoInitialize(void *) { return S_OK; }
void CoUninitialize(void) {}

HRESULT CLSIDFromProgID(const OLECHAR *progId, CLSID *classId)
{
    if (!progId || !classId)
        return E_INVALIDARG;
    *classId = CLSID{};
    const QUuid found(registeredText(QString::fromUtf16(progId) + QStringLiteral("\\CLSID")));
    if (found.isNull())
        return CO_E_CLASSSTRING;
    classId->Data1 = found.data1;
    classId->Data2 = found.data2;
    classId->Data3 = found.data3;
    for (int i = 0; i < 8; ++i)
        classId->Data4[i] = found.data4[i];
    return S_OK;
}

HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown *outer, DWORD context, REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!(context & CLSCTX_INPROC_SERVER))
        return REGDB_E_CLASSNOTREG;
    const QString path = registeredText(QStringLiteral("CLSID\\%1\\InprocServer32").arg(classIdText(rclsid)));
    if (path.isEmpty())
        return REGDB_E_CLASSNOTREG;
    HRESULT why = S_OK;
    const VEL_DllGetClassObject getClassObject = classObjectEntry(path, &why);
    if (!getClassObject)
        return why;
    IClassFactory *factory = nullptr;
    const HRESULT given = getClassObject(rclsid, IID_IClassFactory, reinterpret_cast<void **>(&factory));
    if (FAILED(given) || !factory)
        return FAILED(given) ? given : E_UNEXPECTED;
    const HRESULT made = factory->CreateInstance(outer, riid, object);
    factory->Release();
    return made;
}

#endif
