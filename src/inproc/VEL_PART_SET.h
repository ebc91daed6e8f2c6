/* VEL_PART_SET.h: the one header a configuration host includes to use the
 * Partition Settings component, VEL_PART_SET, as an in-process server.
 *
 * The library exports the four in-process server entry points
 * (DllRegisterServer, DllUnregisterServer, DllGetClassObject,
 * DllCanUnloadNow) as C functions. DllGetClassObject gives a class factory
 * (IClassFactory) for CLSID_Busyness_Rules, and its CreateInstance gives a
 * Busyness_Rules object through IUnknown or _Busyness_Rules. CreateInstance
 * answers E_FAIL in a host whose Qt application is a QCoreApplication or
 * QGuiApplication: the object shows widgets, which need a QApplication. A
 * host without a Qt application gets one of the library's own, which lives
 * as long as the process (the library then stays loaded), or E_FAIL when
 * there is no display to make it on.
 *
 * The component-object types (GUID, HRESULT, BSTR, VARIANT, IUnknown,
 * IDispatch, IClassFactory) and the string and VARIANT helpers come from
 * VEL_COM.h, which this header includes.
 *
 * Conventions of _Busyness_Rules:
 * - Integer is a 16-bit short, Long a 32-bit int, Boolean a 16-bit
 *   VARIANT_BOOL with True = -1 (VARIANT_TRUE) and False = 0; Shown's
 *   result is a VARIANT holding a Boolean (VT_BOOL).
 * - Strings are BSTRs: a pointer to UTF-16 characters, preceded by their
 *   length in bytes as a 32-bit number and followed by a 16-bit NUL. A null
 *   BSTR is the empty string. Strings passed in stay the caller's; strings
 *   passed out are allocated by SysAllocStringLen, and the caller frees them
 *   with SysFreeString.
 * - Late binding: QueryInterface gives IDispatch too (the same table).
 *   GetIDsOfNames maps each member name, in any case, to its identifier,
 *   the member's number in the interface's order: LanguageID 1, UserID 2,
 *   Err_Title 3, Err_Desc 4, ErrLocation 5, ErrCode 6, ErrDescription 7,
 *   Config_ID 8, Partition_ID 9, FirstLoad 10, MaxPartition 11, Shown 12,
 *   Insert_Partition 13, Update_Partition 14; another name answers
 *   DISP_E_UNKNOWNNAME with DISPID_UNKNOWN. Invoke (riid IID_NULL) gets and
 *   puts properties (DISPATCH_PROPERTYGET; DISPATCH_PROPERTYPUT with the
 *   value as the one named argument, DISPID_PROPERTYPUT) and calls methods
 *   (DISPATCH_METHOD, alone or with DISPATCH_PROPERTYGET); it takes no other
 *   named argument (DISP_E_NONAMEDARGS). Arguments come last first, as
 *   VT_I2, VT_I4, VT_BSTR, VT_BOOL or VT_EMPTY, by value or by reference
 *   (VT_BYREF, also to a VARIANT), and are converted to the member's types
 *   as automation converts them: numbers and number texts to Integer
 *   (DISP_E_OVERFLOW out of range; fractions round half to even),
 *   numbers to Booleans (not 0: True), numbers and Booleans to their
 *   decimal text, texts "True" and "False" to Booleans; anything else
 *   answers DISP_E_TYPEMISMATCH with *argumentError the rgvarg index of the
 *   argument. A wrong count answers DISP_E_BADPARAMCOUNT, an unknown
 *   identifier or a kind the member lacks DISP_E_MEMBERNOTFOUND. Shown's
 *   optional arguments may be left out or passed as VT_ERROR
 *   DISP_E_PARAMNOTFOUND; a required one passed so answers
 *   DISP_E_PARAMNOTOPTIONAL. The result, if result is not
 *   null, is written into it as a fresh VARIANT. GetTypeInfoCount answers
 *   0 and GetTypeInfo E_NOTIMPL; no EXCEPINFO is filled.
 * - No member lets an error through: a failure of the object itself is
 *   recorded in ErrLocation, ErrCode and ErrDescription, as for a C++ caller.
 */
#ifndef VEL_PART_SET_H
#define VEL_PART_SET_H

#include "VEL_COM.h"

/* The identifiers of the library, the class and its interface. */
#define VEL_PART_SET_PROGID "VEL_PART_SET.Busyness_Rules"
static const GUID LIBID_VEL_PART_SET VEL_UNUSED = {
    0x7A6926D0, 0xBD6A, 0x4C83, {0xB0, 0xB1, 0x93, 0x4A, 0xEB, 0xEA, 0x46, 0xC3}};
static const CLSID CLSID_Busyness_Rules VEL_UNUSED = {
    0xE1188022, 0x2112, 0x48E7, {0xAB, 0xD7, 0xB8, 0x3E, 0x9D, 0x32, 0x9D, 0xFC}};
static const IID IID__Busyness_Rules VEL_UNUSED = {
    0x1FFE7915, 0x51FF, 0x4D03, {0x95, 0xDA, 0xCE, 0xF6, 0x0A, 0xC6, 0xCD, 0xE9}};

/* _Busyness_Rules: after IUnknown's three slots and IDispatch's four come
 * the properties (get before put for a public field; Partition_ID's put
 * before its get), then Shown, Insert_Partition and Update_Partition. Every
 * slot answers S_OK unless it says otherwise; a failure that is no error of
 * the object (memory, a null out-pointer) answers E_OUTOFMEMORY, E_POINTER or
 * E_FAIL. */
#ifdef __cplusplus

struct _Busyness_Rules : public IDispatch
{
    virtual HRESULT VEL_CALL get_LanguageID(short *value) = 0;
    virtual HRESULT VEL_CALL put_LanguageID(short value) = 0;
    virtual HRESULT VEL_CALL get_UserID(short *value) = 0;
    virtual HRESULT VEL_CALL put_UserID(short value) = 0;
    virtual HRESULT VEL_CALL get_Err_Title(BSTR *value) = 0;
    virtual HRESULT VEL_CALL put_Err_Title(BSTR value) = 0;
    virtual HRESULT VEL_CALL get_Err_Desc(BSTR *value) = 0;
    virtual HRESULT VEL_CALL put_Err_Desc(BSTR value) = 0;
    virtual HRESULT VEL_CALL get_ErrLocation(BSTR *value) = 0;
    virtual HRESULT VEL_CALL get_ErrCode(LONG *value) = 0;
    virtual HRESULT VEL_CALL get_ErrDescription(BSTR *value) = 0;
    virtual HRESULT VEL_CALL get_Config_ID(short *value) = 0;
    virtual HRESULT VEL_CALL put_Partition_ID(short Given_PartitionID) = 0;
    virtual HRESULT VEL_CALL get_Partition_ID(short *value) = 0;
    virtual HRESULT VEL_CALL get_FirstLoad(VARIANT_BOOL *value) = 0;
    virtual HRESULT VEL_CALL get_MaxPartition(short *value) = 0;
    /* Opens the modal dialog and returns when it is closed; *result, which
     * the host passes empty, becomes a VT_BOOL, VARIANT_TRUE unless an error
     * was recorded. A host without values of its own passes Language_ID 1,
     * Silent_Error VARIANT_FALSE and PartitionEnabled VARIANT_TRUE. */
    virtual HRESULT VEL_CALL Shown(short Config_ID, short Partition_ID, BSTR MenuOption, short Language_ID,
                                   VARIANT_BOOL Silent_Error, VARIANT_BOOL PartitionEnabled, VARIANT *result) = 0;
    virtual HRESULT VEL_CALL Insert_Partition() = 0;
    virtual HRESULT VEL_CALL Update_Partition(BSTR Given_Name, BSTR Given_PartitionAccessCode, BSTR Given_REMLanguage,
                                              BSTR Given_SelectLimit, BSTR Given_TimeLimit, BSTR Given_Command,
                                              BSTR Given_NoMSGRecorded, BSTR Given_TotalRecTime,
                                              BSTR Given_TotalTimeOfMessagesRecorded, BSTR Given_TimeLeft,
                                              BSTR Given_MsgNo, VARIANT_BOOL *result) = 0;
};

#else

typedef struct _Busyness_Rules _Busyness_Rules;
typedef struct _Busyness_RulesVtbl
{
    HRESULT(VEL_CALL *QueryInterface)(_Busyness_Rules *This, REFIID riid, void **object);
    ULONG(VEL_CALL *AddRef)(_Busyness_Rules *This);
    ULONG(VEL_CALL *Release)(_Busyness_Rules *This);
    HRESULT(VEL_CALL *GetTypeInfoCount)(_Busyness_Rules *This, UINT *count);
    HRESULT(VEL_CALL *GetTypeInfo)(_Busyness_Rules *This, UINT index, LCID locale, void **typeInfo);
    HRESULT(VEL_CALL *GetIDsOfNames)
    (_Busyness_Rules *This, REFIID riid, OLECHAR **names, UINT count, LCID locale, DISPID *ids);
    HRESULT(VEL_CALL *Invoke)
    (_Busyness_Rules *This, DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS *params, VARIANT *result,
     EXCEPINFO *exception, UINT *argumentError);
    HRESULT(VEL_CALL *get_LanguageID)(_Busyness_Rules *This, short *value);
    HRESULT(VEL_CALL *put_LanguageID)(_Busyness_Rules *This, short value);
    HRESULT(VEL_CALL *get_UserID)(_Busyness_Rules *This, short *value);
    HRESULT(VEL_CALL *put_UserID)(_Busyness_Rules *This, short value);
    HRESULT(VEL_CALL *get_Err_Title)(_Busyness_Rules *This, BSTR *value);
    HRESULT(VEL_CALL *put_Err_Title)(_Busyness_Rules *This, BSTR value);
    HRESULT(VEL_CALL *get_Err_Desc)(_Busyness_Rules *This, BSTR *value);
    HRESULT(VEL_CALL *put_Err_Desc)(_Busyness_Rules *This, BSTR value);
    HRESULT(VEL_CALL *get_ErrLocation)(_Busyness_Rules *This, BSTR *value);
    HRESULT(VEL_CALL *get_ErrCode)(_Busyness_Rules *This, LONG *value);
    HRESULT(VEL_CALL *get_ErrDescription)(_Busyness_Rules *This, BSTR *value);
    HRESULT(VEL_CALL *get_Config_ID)(_Busyness_Rules *This, short *value);
    HRESULT(VEL_CALL *put_Partition_ID)(_Busyness_Rules *This, short Given_PartitionID);
    HRESULT(VEL_CALL *get_Partition_ID)(_Busyness_Rules *This, short *value);
    HRESULT(VEL_CALL *get_FirstLoad)(_Busyness_Rules *This, VARIANT_BOOL *value);
    HRESULT(VEL_CALL *get_MaxPartition)(_Busyness_Rules *This, short *value);
    HRESULT(VEL_CALL *Shown)
    (_Busyness_Rules *This, short Config_ID, short Partition_ID, BSTR MenuOption, short Language_ID,
     VARIANT_BOOL Silent_Error, VARIANT_BOOL PartitionEnabled, VARIANT *result);
    HRESULT(VEL_CALL *Insert_Partition)(_Busyness_Rules *This);
    HRESULT(VEL_CALL *Update_Partition)
    (_Busyness_Rules *This, BSTR Given_Name, BSTR Given_PartitionAccessCode, BSTR Given_REMLanguage,
     BSTR Given_SelectLimit, BSTR Given_TimeLimit, BSTR Given_Command, BSTR Given_NoMSGRecorded,
     BSTR Given_TotalRecTime, BSTR Given_TotalTimeOfMessagesRecorded, BSTR Given_TimeLeft, BSTR Given_MsgNo,
     VARIANT_BOOL *result);
} _Busyness_RulesVtbl;
struct _Busyness_Rules
{
    const _Busyness_RulesVtbl *lpVtbl;
};

#endif /* __cplusplus */

/* The entry points. DllGetClassObject gives the class factory of
 * CLSID_Busyness_Rules (CLASS_E_CLASSNOTAVAILABLE for another class,
 * E_NOINTERFACE for an interface other than IUnknown or IClassFactory).
 * DllCanUnloadNow answers S_OK when no object of the library and no server
 * lock is alive, S_FALSE otherwise. DllRegisterServer writes the class's keys
 * under the classes root (InprocServer32 naming this library's file), and
 * DllUnregisterServer removes them; both answer SELFREG_E_CLASS when the
 * registry refuses. */
VEL_ENTRY DllGetClassObject(REFCLSID rclsid, REFIID riid, void **object);
VEL_ENTRY DllCanUnloadNow(void);
VEL_ENTRY DllRegisterServer(void);
VEL_ENTRY DllUnregisterServer(void);


#endif /* VEL_PART_SET_H */
