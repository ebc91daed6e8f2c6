// Loading the component library and finding its entry points.
#include "ComponentLibrary.h"

#include "platform/Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <stdexcept>

namespace {

// A key's default text; empty when the key or its value is missing.
QString registeredText(const QString &keyPath)
{
    try {
        return platform::registryValue(platform::RootKey::ClassesRoot, keyPath, QString()).toText();
    } catch (const std::exception &) {
        return {};
    }
}

std::runtime_error failure(const QString &message) { return std::runtime_error(message.toStdString()); }

} // namespace

QString ComponentLibrary::registeredPath(const QString &progId)
{
    const QString classId = registeredText(progId + QStringLiteral("\\CLSID"));
    const QString path =
        classId.isEmpty() ? QString() : registeredText(QStringLiteral("CLSID\\%1\\InprocServer32").arg(classId));
    if (path.isEmpty())
        throw failure(progId + QStringLiteral(" is not registered (partition-settings --register registers it)"));
    return path;
}

QString ComponentLibrary::builtPath(Built library)
{
    const bool component = library == Built::Component;
    const QDir executableFolder(QCoreApplication::applicationDirPath());
    for (const QString &candidate :
         {component ? QStringLiteral(VEL_PART_SET_FILE_NAME) : QStringLiteral(QRV_SERVER_FILE_NAME),
          component ? QStringLiteral(VEL_PART_SET_INSTALLED) : QStringLiteral(QRV_SERVER_INSTALLED)}) {
        const QString path = QDir::cleanPath(executableFolder.absoluteFilePath(candidate));
        if (QFileInfo::exists(path))
            return path;
    }
    return component ? QStringLiteral(VEL_PART_SET_BUILT) : QStringLiteral(QRV_SERVER_BUILT);
}

ComponentLibrary::ComponentLibrary(const QString &path) : m_library(path)
{
    if (!m_library.load())
        throw failure(m_library.errorString());
    m_getClassObject = entry<VEL_DllGetClassObject>("DllGetClassObject");
    m_canUnloadNow = entry<VEL_DllEntry>("DllCanUnloadNow");
    m_register = entry<VEL_DllEntry>("DllRegisterServer");
    m_unregister = entry<VEL_DllEntry>("DllUnregisterServer");
#ifdef _WIN32
    m_allocString = ::SysAllocStringLen;
    m_freeString = ::SysFreeString;
#else
    m_allocString = entry<decltype(m_allocString)>("SysAllocStringLen");
    m_freeString = entry<decltype(m_freeString)>("SysFreeString");
#endif
}

ComponentLibrary::~ComponentLibrary()
{
    if (m_canUnloadNow() == S_OK)
        m_library.unload();
}

template <typename Function> Function ComponentLibrary::entry(const char *name)
{
    const auto function = reinterpret_cast<Function>(m_library.resolve(name));
    if (!function)
        throw failure(m_library.fileName() + QStringLiteral(" has no entry point ") + QLatin1String(name));
    return function;
}

HRESULT ComponentLibrary::getClassObject(REFCLSID classId, REFIID interfaceId, void **object) const
{
    return m_getClassObject(classId, interfaceId, object);
}

BSTR ComponentLibrary::newString(const QString &text) const
{
    BSTR copy = m_allocString(reinterpret_cast<const OLECHAR *>(text.utf16()), UINT(text.size()));
    if (!copy)
        throw std::bad_alloc();
    return copy;
}

void ComponentLibrary::freeString(BSTR text) const { m_freeString(text); }
