// A showing through the _Busyness_Rules interface.
#include "ComponentSession.h"

#include <stdexcept>

namespace {

std::runtime_error failure(const char *call, HRESULT answer)
{
    return std::runtime_error(QStringLiteral("%1 answered 0x%2")
                                  .arg(QLatin1String(call))
                                  .arg(quint32(answer), 8, 16, QLatin1Char('0'))
                                  .toStdString());
}

// A reference to an interface, released when it goes.
template <typename Interface> struct Held
{
    Interface *object = nullptr;
    ~Held()
    {
        if (object)
            object->Release();
    }
    void **out() { return reinterpret_cast<void **>(&object); }
};

_Busyness_Rules *createRules(const ComponentLibrary &library, Held<_Busyness_Rules> &rules)
{
    Held<IClassFactory> factory;
    HRESULT answer = library.getClassObject(CLSID_Busyness_Rules, IID_IClassFactory, factory.out());
    if (FAILED(answer))
        throw failure("DllGetClassObject", answer);
    answer = factory.object->CreateInstance(nullptr, IID__Busyness_Rules, rules.out());
    if (FAILED(answer))
        throw failure("CreateInstance", answer);
    return rules.object;
}

QString takeText(const ComponentLibrary &library, BSTR text)
{
    const QString copy =
        text ? QString::fromUtf16(reinterpret_cast<const char16_t *>(text), SysStringLen(text)) : QString();
    library.freeString(text);
    return copy;
}

void readErrorInfo(const ComponentLibrary &library, _Busyness_Rules &rules, ShownAnswer &answer)
{
    BSTR text = nullptr;
    rules.get_ErrLocation(&text);
    answer.errLocation = takeText(library, text);
    LONG code = 0;
    rules.get_ErrCode(&code);
    answer.errCode = qint32(code);
    text = nullptr;
    rules.get_ErrDescription(&text);
    answer.errDescription = takeText(library, text);
}

} // namespace

ShownAnswer showThroughComponent(const ComponentLibrary &library, const HostOptions &options)
{
    Held<_Busyness_Rules> held;
    _Busyness_Rules &rules = *createRules(library, held);
    rules.put_LanguageID(options.languageId);

    BSTR menuOption = library.newString(options.menuOption);
    VARIANT shown{}; // VT_EMPTY; a VT_BOOL answer owns nothing to free
    const HRESULT answer = rules.Shown(options.configId, options.partitionId, menuOption, options.languageId,
                                       options.silent ? VARIANT_TRUE : VARIANT_FALSE,
                                       options.partitionButton ? VARIANT_TRUE : VARIANT_FALSE, &shown);
    library.freeString(menuOption);
    if (FAILED(answer))
        throw failure("Shown", answer);

    ShownAnswer result;
    result.shown = shown.vt == VT_BOOL && shown.boolVal != VARIANT_FALSE;
    if (!result.shown)
        readErrorInfo(library, rules, result);
    return result;
}
