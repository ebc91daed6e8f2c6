// The _Busyness_Rules slots over one Busyness_Rules object.
#include "inproc/RulesObject.h"

#include "comkit/ComStrings.h"
#include "inproc/RulesDispatch.h"
#include "comkit/ServerState.h"

namespace inproc {
namespace {

short toCom(qint16 value) { return value; }
LONG toCom(qint32 value) { return LONG(value); }
VARIANT_BOOL toCom(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }
BSTR toCom(const QString &value) { return com::toBstr(value); }

// A property get: the out-parameter receives the converted answer.
template <typename Target, typename Get> HRESULT give(Target *target, Get get)
{
    if (!target)
        return E_POINTER;
    *target = Target{};
    return com::guarded([&] {
        *target = toCom(get());
        return S_OK;
    });
}

// A property put or a method without an answer.
template <typename Body> HRESULT run(Body body)
{
    return com::guarded([&] {
        body();
        return S_OK;
    });
}

} // namespace

// Late binding by name and identifier, without type information.
HRESULT RulesObject::GetTypeInfoCount(UINT *count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT RulesObject::GetTypeInfo(UINT, LCID, TypeInfoOut *) { return E_NOTIMPL; }
HRESULT RulesObject::GetIDsOfNames(REFIID riid, OLECHAR **names, UINT count, LCID, DISPID *ids)
{
    return dispatchIdsOfNames(riid, names, count, ids);
}
HRESULT RulesObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS *params, VARIANT *result, EXCEPINFO *,
                            UINT *argumentError)
{
    return dispatchInvoke(*this, id, riid, flags, params, result, argumentError);
}

HRESULT RulesObject::get_LanguageID(short *value)
{
    return give(value, [&] { return m_rules.LanguageID(); });
}
HRESULT RulesObject::put_LanguageID(short value)
{
    return run([&] { m_rules.LanguageID(value); });
}
HRESULT RulesObject::get_UserID(short *value)
{
    return give(value, [&] { return m_rules.UserID(); });
}
HRESULT RulesObject::put_UserID(short value)
{
    return run([&] { m_rules.UserID(value); });
}
HRESULT RulesObject::get_Err_Title(BSTR *value)
{
    return give(value, [&] { return m_rules.Err_Title(); });
}
HRESULT RulesObject::put_Err_Title(BSTR value)
{
    return run([&] { m_rules.Err_Title(com::fromBstr(value)); });
}
HRESULT RulesObject::get_Err_Desc(BSTR *value)
{
    return give(value, [&] { return m_rules.Err_Desc(); });
}
HRESULT RulesObject::put_Err_Desc(BSTR value)
{
    return run([&] { m_rules.Err_Desc(com::fromBstr(value)); });
}
HRESULT RulesObject::get_ErrLocation(BSTR *value)
{
    return give(value, [&] { return m_rules.ErrLocation(); });
}
HRESULT RulesObject::get_ErrCode(LONG *value)
{
    return give(value, [&] { return m_rules.ErrCode(); });
}
HRESULT RulesObject::get_ErrDescription(BSTR *value)
{
    return give(value, [&] { return m_rules.ErrDescription(); });
}
HRESULT RulesObject::get_Config_ID(short *value)
{
    return give(value, [&] { return m_rules.Config_ID(); });
}
HRESULT RulesObject::put_Partition_ID(short Given_PartitionID)
{
    return run([&] { m_rules.Partition_ID(Given_PartitionID); });
}
HRESULT RulesObject::get_Partition_ID(short *value)
{
    return give(value, [&] { return m_rules.Partition_ID(); });
}
HRESULT RulesObject::get_FirstLoad(VARIANT_BOOL *value)
{
    return give(value, [&] { return m_rules.FirstLoad(); });
}
HRESULT RulesObject::get_MaxPartition(short *value)
{
    return give(value, [&] { return m_rules.MaxPartition(); });
}

HRESULT RulesObject::Shown(short Config_ID, short Partition_ID, BSTR MenuOption, short Language_ID,
                           VARIANT_BOOL Silent_Error, VARIANT_BOOL PartitionEnabled, VARIANT *result)
{
    if (!result)
        return E_POINTER;
    VariantInit(result);
    VARIANT_BOOL shown = VARIANT_FALSE;
    const HRESULT answer = give(&shown, [&] {
        const Variant answer = m_rules.Shown(Config_ID, Partition_ID, com::fromBstr(MenuOption), Language_ID,
                                             Silent_Error != VARIANT_FALSE, PartitionEnabled != VARIANT_FALSE);
        return answer.type() == Variant::Type::Boolean && answer.asBoolean();
    });
    if (SUCCEEDED(answer)) {
        result->vt = VT_BOOL;
        result->boolVal = shown;
    }
    return answer;
}

HRESULT RulesObject::Insert_Partition()
{
    return run([&] { m_rules.Insert_Partition(); });
}

HRESULT RulesObject::Update_Partition(BSTR Given_Name, BSTR Given_PartitionAccessCode, BSTR Given_REMLanguage,
                                      BSTR Given_SelectLimit, BSTR Given_TimeLimit, BSTR Given_Command,
                                      BSTR Given_NoMSGRecorded, BSTR Given_TotalRecTime,
                                      BSTR Given_TotalTimeOfMessagesRecorded, BSTR Given_TimeLeft, BSTR Given_MsgNo,
                                      VARIANT_BOOL *result)
{
    return give(result, [&] {
        return m_rules.Update_Partition(
            com::fromBstr(Given_Name), com::fromBstr(Given_PartitionAccessCode), com::fromBstr(Given_REMLanguage),
            com::fromBstr(Given_SelectLimit), com::fromBstr(Given_TimeLimit), com::fromBstr(Given_Command),
            com::fromBstr(Given_NoMSGRecorded), com::fromBstr(Given_TotalRecTime), com::fromBstr(Given_TotalTimeOfMessagesRecorded),
            com::fromBstr(Given_TimeLeft), com::fromBstr(Given_MsgNo));
    });
}

} // namespace inproc
