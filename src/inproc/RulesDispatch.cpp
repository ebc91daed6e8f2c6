// The member table of _Busyness_Rules for late binding, and Invoke over it:
// the arguments are converted as automation converts them, into the types
// the slot takes, and the slot's answer comes back in a VARIANT.
#include "inproc/RulesDispatch.h"

#include "comkit/ComStrings.h"
#include "comkit/ServerState.h"

#include <QLatin1String>
#include <QStringView>

#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <type_traits>
#include <utility>

namespace inproc {
namespace {

enum class Type { None, Integer, Long, String, Boolean, Variant };

// One argument or answer in the form a slot takes it. A text converted here,
// and every answer, is owned and freed with the value.
struct Value
{
    short word = 0; // an Integer or a Boolean
    LONG number = 0;
    BSTR text = nullptr;
    bool ownsText = false;
    VARIANT variant{}; // VT_EMPTY

    Value() = default;
    Value(const Value &) = delete;
    Value &operator=(const Value &) = delete;
    ~Value()
    {
        if (ownsText)
            SysFreeString(text);
        VariantClear(&variant);
    }
};

template <typename T> T &field(Value &value)
{
    if constexpr (std::is_same_v<T, short>)
        return value.word;
    else if constexpr (std::is_same_v<T, LONG>)
        return value.number;
    else if constexpr (std::is_same_v<T, BSTR>)
        return value.text;
    else
        return value.variant;
}

// A slot's parameter: a value passed in or, as a pointer other than a BSTR,
// where the slot writes its answer.
template <typename A> A pass(Value &value)
{
    if constexpr (std::is_pointer_v<A> && !std::is_same_v<A, BSTR>)
        return &field<std::remove_pointer_t<A>>(value);
    else
        return field<A>(value);
}

// A slot of the interface called with its parameters taken from values in order.
using Slot = HRESULT (*)(_Busyness_Rules &rules, Value *values);

template <typename> struct SlotCall;
template <typename... A> struct SlotCall<HRESULT (VEL_CALL _Busyness_Rules::*)(A...)>
{
    template <auto slot> static HRESULT call(_Busyness_Rules &rules, [[maybe_unused]] Value *values)
    {
        return [&]<std::size_t... I>(std::index_sequence<I...>) { return (rules.*slot)(pass<A>(values[I])...); }
        (std::index_sequence_for<A...>{});
    }
};
template <auto slot> constexpr Slot slotCall = &SlotCall<decltype(slot)>::template call<slot>;

struct Parameter
{
    Type type = Type::String;
    bool optional = false;
    short fallback = 0;
};

struct Member
{
    const char *name;
    Type type; // the property's, or the method's answer
    Slot get = nullptr;
    Slot put = nullptr;
    Slot method = nullptr;
    std::span<const Parameter> parameters{};
};

constexpr Parameter shownParameters[] = {{Type::Integer},
                                         {Type::Integer},
                                         {Type::String},
                                         {Type::Integer, true, 1},
                                         {Type::Boolean, true, VARIANT_FALSE},
                                         {Type::Boolean, true, VARIANT_TRUE}};
constexpr std::array<Parameter, 11> updateParameters{}; // eleven Strings

using R = _Busyness_Rules;

// The interface's members in its order; a member's DISPID is its place, from 1.
const Member members[] = {
    {"LanguageID", Type::Integer, slotCall<&R::get_LanguageID>, slotCall<&R::put_LanguageID>},
    {"UserID", Type::Integer, slotCall<&R::get_UserID>, slotCall<&R::put_UserID>},
    {"Err_Title", Type::String, slotCall<&R::get_Err_Title>, slotCall<&R::put_Err_Title>},
    {"Err_Desc", Type::String, slotCall<&R::get_Err_Desc>, slotCall<&R::put_Err_Desc>},
    {"ErrLocation", Type::String, slotCall<&R::get_ErrLocation>},
    {"ErrCode", Type::Long, slotCall<&R::get_ErrCode>},
    {"ErrDescription", Type::String, slotCall<&R::get_ErrDescription>},
    {"Config_ID", Type::Integer, slotCall<&R::get_Config_ID>},
    {"Partition_ID", Type::Integer, slotCall<&R::get_Partition_ID>, slotCall<&R::put_Partition_ID>},
    {"FirstLoad", Type::Boolean, slotCall<&R::get_FirstLoad>},
    {"MaxPartition", Type::Integer, slotCall<&R::get_MaxPartition>},
    {"Shown", Type::Variant, nullptr, nullptr, slotCall<&R::Shown>, shownParameters},
    {"Insert_Partition", Type::None, nullptr, nullptr, slotCall<&R::Insert_Partition>},
    {"Update_Partition", Type::Boolean, nullptr, nullptr, slotCall<&R::Update_Partition>, updateParameters},
};
constexpr DISPID memberCount = DISPID(std::size(members));

DISPID idOf(const OLECHAR *name)
{
    if (!name)
        return DISPID_UNKNOWN;
    const QStringView text(reinterpret_cast<const char16_t *>(name));
    for (DISPID id = 1; id <= memberCount; ++id)
        if (text.compare(QLatin1String(members[id - 1].name), Qt::CaseInsensitive) == 0)
            return id;
    return DISPID_UNKNOWN;
}

// The value a by-reference argument points to, as a by-value VARIANT; none
// for a type that cannot be passed.
std::optional<VARIANT> byValue(const VARIANT &argument)
{
    if (!(argument.vt & VT_BYREF))
        return argument;
    if (!argument.byref)
        return std::nullopt;
    VARIANT value{};
    value.vt = VARTYPE(argument.vt & ~VT_BYREF);
    switch (value.vt) {
    case VT_I2: value.iVal = *argument.piVal; return value;
    case VT_I4: value.lVal = *argument.plVal; return value;
    case VT_BSTR: value.bstrVal = *argument.pbstrVal; return value;
    case VT_BOOL: value.boolVal = *argument.pboolVal; return value;
    case VT_VARIANT:
        if (argument.pvarVal->vt & VT_BYREF)
            return std::nullopt;
        return *argument.pvarVal;
    default: return std::nullopt;
    }
}

// The number a value stands for: an empty one is 0, a Boolean -1 or 0, a
// text the number it reads as.
HRESULT numberOf(const VARIANT &value, double &number)
{
    bool read = true;
    switch (value.vt) {
    case VT_EMPTY: number = 0; break;
    case VT_I2: number = value.iVal; break;
    case VT_I4: number = value.lVal; break;
    case VT_BOOL: number = value.boolVal; break;
    case VT_BSTR: number = com::fromBstr(value.bstrVal).trimmed().toDouble(&read); break;
    default: read = false;
    }
    return read && std::isfinite(number) ? S_OK : DISP_E_TYPEMISMATCH;
}

// Rounded half to even, the rounding of the default mode.
HRESULT toInteger(const VARIANT &value, short &integer)
{
    double number = 0;
    if (const HRESULT read = numberOf(value, number); FAILED(read))
        return read;
    number = std::nearbyint(number);
    if (number < -32768 || number > 32767)
        return DISP_E_OVERFLOW;
    integer = short(number);
    return S_OK;
}

HRESULT toBoolean(const VARIANT &value, short &boolean)
{
    if (value.vt == VT_BSTR) {
        const QString text = com::fromBstr(value.bstrVal).trimmed();
        for (const VARIANT_BOOL each : {VARIANT_TRUE, VARIANT_FALSE})
            if (text.compare(QLatin1String(each ? "True" : "False"), Qt::CaseInsensitive) == 0) {
                boolean = each;
                return S_OK;
            }
    }
    double number = 0;
    const HRESULT read = numberOf(value, number);
    boolean = number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return read;
}

// Numbers and Booleans become their decimal text.
HRESULT toText(const VARIANT &value, Value &text)
{
    if (value.vt == VT_BSTR) {
        text.text = value.bstrVal;
        return S_OK;
    }
    double number = 0;
    if (const HRESULT read = numberOf(value, number); FAILED(read))
        return read;
    text.ownsText = value.vt != VT_EMPTY;
    text.text = text.ownsText ? com::toBstr(QString::number(qint64(number))) : nullptr;
    return S_OK;
}

HRESULT convert(const VARIANT &argument, Type type, Value &value)
{
    const std::optional<VARIANT> plain = byValue(argument);
    if (!plain)
        return DISP_E_TYPEMISMATCH;
    switch (type) {
    case Type::Integer: return toInteger(*plain, value.word);
    case Type::Boolean: return toBoolean(*plain, value.word);
    case Type::String: return toText(*plain, value);
    default: return DISP_E_TYPEMISMATCH;
    }
}

bool isMissing(const VARIANT &argument) { return argument.vt == VT_ERROR && argument.scode == DISP_E_PARAMNOTFOUND; }

// An argument left out takes its default.
HRESULT readArgument(const Parameter &parameter, const VARIANT *argument, Value &value)
{
    if (argument && !isMissing(*argument))
        return convert(*argument, parameter.type, value);
    if (!parameter.optional)
        return DISP_E_PARAMNOTOPTIONAL;
    value.word = parameter.fallback;
    return S_OK;
}

// The arguments come last first; a failing one is named by its index there.
HRESULT readArguments(std::span<const Parameter> parameters, const DISPPARAMS &params, Value *values,
                      UINT *argumentError)
{
    std::size_t required = 0;
    while (required < parameters.size() && !parameters[required].optional)
        ++required;
    if (params.cArgs > parameters.size() || params.cArgs < required)
        return DISP_E_BADPARAMCOUNT;
    for (UINT each = 0; each < parameters.size(); ++each) {
        const UINT index = params.cArgs - 1 - each;
        const VARIANT *argument = each < params.cArgs ? &params.rgvarg[index] : nullptr;
        const HRESULT read = readArgument(parameters[each], argument, values[each]);
        if (FAILED(read)) {
            if (argumentError)
                *argumentError = index;
            return read;
        }
    }
    return S_OK;
}

// Moves a slot's answer into the caller's VARIANT.
void giveAnswer(Type type, Value &answer, VARIANT &result)
{
    VariantInit(&result);
    switch (type) {
    case Type::Integer:
        result.vt = VT_I2;
        result.iVal = answer.word;
        break;
    case Type::Boolean:
        result.vt = VT_BOOL;
        result.boolVal = answer.word;
        break;
    case Type::Long:
        result.vt = VT_I4;
        result.lVal = answer.number;
        break;
    case Type::String:
        result.vt = VT_BSTR;
        result.bstrVal = std::exchange(answer.text, nullptr);
        break;
    case Type::Variant: result = std::exchange(answer.variant, VARIANT{}); break;
    case Type::None: break;
    }
}

// Calls the slot with the arguments in values and the answer after them.
HRESULT callSlot(_Busyness_Rules &rules, Slot slot, Type type, Value *values, std::size_t answerAt, VARIANT *result)
{
    values[answerAt].ownsText = true;
    const HRESULT answer = slot(rules, values);
    if (SUCCEEDED(answer) && result)
        giveAnswer(type, values[answerAt], *result);
    return answer;
}

// The put's value is the one named argument, DISPID_PROPERTYPUT.
HRESULT putProperty(_Busyness_Rules &rules, const Member &member, const DISPPARAMS &params, UINT *argumentError)
{
    if (params.cArgs != 1)
        return DISP_E_BADPARAMCOUNT;
    if (params.cNamedArgs != 1 || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
        return params.cNamedArgs ? DISP_E_NONAMEDARGS : DISP_E_PARAMNOTFOUND;
    Value value;
    const HRESULT read = convert(params.rgvarg[0], member.type, value);
    if (FAILED(read)) {
        if (argumentError)
            *argumentError = 0;
        return read;
    }
    return member.put(rules, &value);
}

HRESULT invokeMember(_Busyness_Rules &rules, const Member &member, WORD flags, const DISPPARAMS &params,
                     VARIANT *result, UINT *argumentError)
{
    if (flags & DISPATCH_PROPERTYPUT)
        return member.put ? putProperty(rules, member, params, argumentError) : DISP_E_MEMBERNOTFOUND;
    if (params.cNamedArgs)
        return DISP_E_NONAMEDARGS;
    std::array<Value, 12> values;
    if (member.method && (flags & DISPATCH_METHOD)) {
        const HRESULT read = readArguments(member.parameters, params, values.data(), argumentError);
        return FAILED(read)
                   ? read
                   : callSlot(rules, member.method, member.type, values.data(), member.parameters.size(), result);
    }
    if (member.get && (flags & DISPATCH_PROPERTYGET))
        return params.cArgs ? DISP_E_BADPARAMCOUNT : callSlot(rules, member.get, member.type, values.data(), 0, result);
    return DISP_E_MEMBERNOTFOUND;
}

} // namespace

HRESULT dispatchIdsOfNames(REFIID riid, OLECHAR **names, UINT count, DISPID *ids)
{
    if (!com::sameGuid(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids)
        return E_POINTER;
    HRESULT answer = S_OK;
    for (UINT each = 0; each < count; ++each) {
        // Names after the first would name arguments, which are taken by position only.
        ids[each] = each == 0 ? idOf(names[0]) : DISPID_UNKNOWN;
        if (ids[each] == DISPID_UNKNOWN)
            answer = DISP_E_UNKNOWNNAME;
    }
    return answer;
}

HRESULT dispatchInvoke(_Busyness_Rules &rules, DISPID id, REFIID riid, WORD flags, const DISPPARAMS *params,
                       VARIANT *result, UINT *argumentError)
{
    if (!com::sameGuid(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (id < 1 || id > memberCount)
        return DISP_E_MEMBERNOTFOUND;
    if (!params || (params->cArgs && !params->rgvarg) || (params->cNamedArgs && !params->rgdispidNamedArgs))
        return E_INVALIDARG;
    return com::guarded([&] { return invokeMember(rules, members[id - 1], flags, *params, result, argumentError); });
}

} // namespace inproc
