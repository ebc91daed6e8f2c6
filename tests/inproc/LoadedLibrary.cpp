// The component library as a host loads it.
#include "LoadedLibrary.h"

namespace testing {
namespace {

template <typename Function> bool resolve(QLibrary &library, Function &function, const char *name)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

} // namespace

bool LoadedLibrary::load()
{
    return resolve(library, getClassObject, "DllGetClassObject") && resolve(library, canUnloadNow, "DllCanUnloadNow")
           && resolve(library, registerServer, "DllRegisterServer")
           && resolve(library, unregisterServer, "DllUnregisterServer")
           && resolve(library, allocString, "SysAllocStringLen") && resolve(library, freeString, "SysFreeString")
           && resolve(library, initVariant, "VariantInit") && resolve(library, clearVariant, "VariantClear");
}

IClassFactory *LoadedLibrary::factory() const
{
    IClassFactory *object = nullptr;
    return getClassObject(CLSID_Busyness_Rules, IID_IClassFactory, reinterpret_cast<void **>(&object)) == S_OK
               ? object
               : nullptr;
}

_Busyness_Rules *LoadedLibrary::create(HRESULT *answer) const
{
    IClassFactory *maker = nullptr;
    void *object = nullptr;
    HRESULT made = getClassObject(CLSID_Busyness_Rules, IID_IClassFactory, reinterpret_cast<void **>(&maker));
    if (made == S_OK) {
        made = maker->CreateInstance(nullptr, IID__Busyness_Rules, &object);
        maker->Release();
    }
    if (answer)
        *answer = made;
    return made == S_OK ? static_cast<_Busyness_Rules *>(object) : nullptr;
}

QString LoadedLibrary::take(BSTR text) const
{
    const QString copy = QString::fromUtf16(reinterpret_cast<const char16_t *>(text), SysStringLen(text));
    freeString(text);
    return copy;
}

QString LoadedLibrary::errorInfo(_Busyness_Rules *rules) const
{
    LONG code = -1;
    BSTR location = nullptr, description = nullptr;
    rules->get_ErrCode(&code);
    rules->get_ErrLocation(&location);
    rules->get_ErrDescription(&description);
    return QStringLiteral("%1 %2 ").arg(code).arg(take(location)) + take(description);
}

QString LoadedLibrary::shown(_Busyness_Rules *rules, short config, short language) const
{
    BSTR none = allocString(nullptr, 0);
    VARIANT result;
    result.vt = VT_I4;
    result.lVal = 1;
    const HRESULT answer = rules->Shown(config, 1, none, language, VARIANT_TRUE, VARIANT_TRUE, &result);
    freeString(none);
    const QString line = QStringLiteral("%1 %2:%3 ").arg(answer).arg(result.vt).arg(result.boolVal);
    clearVariant(&result);
    return line + errorInfo(rules);
}

} // namespace testing
