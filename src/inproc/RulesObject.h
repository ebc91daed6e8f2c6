// A Busyness_Rules object behind the _Busyness_Rules interface, early and
// late bound (RulesDispatch): every slot converts its arguments, runs the same member of the C++ object and converts
// the answer back. Reference counted; destroyed by its last Release.
#pragma once

#include "inproc/VEL_PART_SET.h"
#include "comkit/CountedUnknown.h"
#include "partition_settings/rules/Busyness_Rules.h"

namespace inproc {

#ifdef _WIN32
using TypeInfoOut = ITypeInfo *;
#else
using TypeInfoOut = void *;
#endif

class RulesObject final : public com::CountedUnknown<RulesObject, _Busyness_Rules>
{
public:
    // The interface is dual: its table is IDispatch's too.
    static bool givesInterface(REFIID riid)
    {
        return com::sameGuid(riid, IID__Busyness_Rules) || com::sameGuid(riid, IID_IDispatch);
    }

    HRESULT VEL_CALL GetTypeInfoCount(UINT *count) override;
    HRESULT VEL_CALL GetTypeInfo(UINT index, LCID locale, TypeInfoOut *typeInfo) override;
    HRESULT VEL_CALL GetIDsOfNames(REFIID riid, OLECHAR **names, UINT count, LCID locale, DISPID *ids) override;
    HRESULT VEL_CALL Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS *params, VARIANT *result,
                            EXCEPINFO *exception, UINT *argumentError) override;

    HRESULT VEL_CALL get_LanguageID(short *value) override;
    HRESULT VEL_CALL put_LanguageID(short value) override;
    HRESULT VEL_CALL get_UserID(short *value) override;
    HRESULT VEL_CALL put_UserID(short value) override;
    HRESULT VEL_CALL get_Err_Title(BSTR *value) override;
    HRESULT VEL_CALL put_Err_Title(BSTR value) override;
    HRESULT VEL_CALL get_Err_Desc(BSTR *value) override;
    HRESULT VEL_CALL put_Err_Desc(BSTR value) override;
    HRESULT VEL_CALL get_ErrLocation(BSTR *value) override;
    HRESULT VEL_CALL get_ErrCode(LONG *value) override;
    HRESULT VEL_CALL get_ErrDescription(BSTR *value) override;
    HRESULT VEL_CALL get_Config_ID(short *value) override;
    HRESULT VEL_CALL put_Partition_ID(short Given_PartitionID) override;
    HRESULT VEL_CALL get_Partition_ID(short *value) override;
    HRESULT VEL_CALL get_FirstLoad(VARIANT_BOOL *value) override;
    HRESULT VEL_CALL get_MaxPartition(short *value) override;
    HRESULT VEL_CALL Shown(short Config_ID, short Partition_ID, BSTR MenuOption, short Language_ID,
                           VARIANT_BOOL Silent_Error, VARIANT_BOOL PartitionEnabled, VARIANT *result) override;
    HRESULT VEL_CALL Insert_Partition() override;
    HRESULT VEL_CALL Update_Partition(BSTR Given_Name, BSTR Given_PartitionAccessCode, BSTR Given_REMLanguage,
                                      BSTR Given_SelectLimit, BSTR Given_TimeLimit, BSTR Given_Command,
                                      BSTR Given_NoMSGRecorded, BSTR Given_TotalRecTime,
                                      BSTR Given_TotalTimeOfMessagesRecorded, BSTR Given_TimeLeft, BSTR Given_MsgNo,
                                      VARIANT_BOOL *result) override;

private:
    Busyness_Rules m_rules;
};

} // namespace inproc
