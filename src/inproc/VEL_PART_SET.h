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
 * On Windows the system's COM headers define GUID, HRESULT, BSTR, IUnknown,
 * IDispatch and IClassFactory, and strings come from OleAut32. Elsewhere this
 * header defines them, and VARIANT, with the same memory layout and call
 * order, and the library exports the string helpers SysAllocStringLen and
 * SysFreeString and the VARIANT helpers VariantInit and VariantClear.
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

#ifdef __cplusplus
#define VEL_EXTERN_C extern "C"
#else
#define VEL_EXTERN_C extern
#endif

#if defined(_WIN32)

#include <objbase.h>
#include <oleauto.h>
#include <olectl.h> /* SELFREG_E_CLASS, the registration entry points' failure */

#define VEL_CALL STDMETHODCALLTYPE
#define VEL_ENTRY VEL_EXTERN_C HRESULT STDAPICALLTYPE
#define VEL_UNUSED

#else /* not Windows: the COM types with their classic layout */

#include <stdint.h>

#define VEL_CALL
#if defined(VEL_PART_SET_BUILDING)
#define VEL_ENTRY VEL_EXTERN_C __attribute__((visibility("default"))) HRESULT
#define VEL_STRING_HELPER VEL_EXTERN_C __attribute__((visibility("default")))
#else
#define VEL_ENTRY VEL_EXTERN_C HRESULT
#define VEL_STRING_HELPER VEL_EXTERN_C
#endif
#define VEL_UNUSED __attribute__((unused))

typedef int32_t HRESULT;
typedef uint32_t ULONG;
typedef int32_t LONG;
typedef int32_t BOOL;
typedef unsigned int UINT;
typedef uint16_t WORD;
typedef uint32_t LCID;
typedef int32_t DISPID;
typedef uint32_t DWORD;
typedef int16_t VARIANT_BOOL;
typedef LONG SCODE;
typedef uint16_t VARTYPE;
#ifdef __cplusplus
typedef char16_t OLECHAR;
#else
typedef uint16_t OLECHAR;
#endif
typedef OLECHAR *BSTR;

#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_NOTIMPL ((HRESULT)0x80004001)
#define E_NOINTERFACE ((HRESULT)0x80004002)
#define E_POINTER ((HRESULT)0x80004003)
#define E_FAIL ((HRESULT)0x80004005)
#define E_UNEXPECTED ((HRESULT)0x8000FFFF)
#define E_OUTOFMEMORY ((HRESULT)0x8007000E)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110)
#define CLASS_E_CLASSNOTAVAILABLE ((HRESULT)0x80040111)
#define SELFREG_E_CLASS ((HRESULT)0x80040201)
#define E_INVALIDARG ((HRESULT)0x80070057)
#define DISP_E_UNKNOWNINTERFACE ((HRESULT)0x80020001)
#define DISP_E_MEMBERNOTFOUND ((HRESULT)0x80020003)
#define DISP_E_PARAMNOTFOUND ((HRESULT)0x80020004)
#define DISP_E_TYPEMISMATCH ((HRESULT)0x80020005)
#define DISP_E_UNKNOWNNAME ((HRESULT)0x80020006)
#define DISP_E_NONAMEDARGS ((HRESULT)0x80020007)
#define DISP_E_BADVARTYPE ((HRESULT)0x80020008)
#define DISP_E_OVERFLOW ((HRESULT)0x8002000A)
#define DISP_E_BADPARAMCOUNT ((HRESULT)0x8002000E)
#define DISP_E_PARAMNOTOPTIONAL ((HRESULT)0x8002000F)

/* Invoke's flags and the two special member identifiers. */
#define DISPATCH_METHOD ((WORD)1)
#define DISPATCH_PROPERTYGET ((WORD)2)
#define DISPATCH_PROPERTYPUT ((WORD)4)
#define DISPATCH_PROPERTYPUTREF ((WORD)8)
#define DISPID_UNKNOWN ((DISPID)-1)
#define DISPID_PROPERTYPUT ((DISPID)-3)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

/* The value types a VARIANT of this interface holds. */
enum VARENUM
{
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_BSTR = 8,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_BYREF = 0x4000
};

/* A value with its type: vt, three reserved words, then 8 bytes that hold
 * the value or, with VT_BYREF, a pointer to it (16 bytes on x86-64). */
typedef struct VARIANT VARIANT;
struct VARIANT
{
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union
    {
        int64_t llVal;
        LONG lVal;
        short iVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        BSTR bstrVal;
        short *piVal;
        LONG *plVal;
        BSTR *pbstrVal;
        VARIANT_BOOL *pboolVal;
        VARIANT *pvarVal;
        void *byref;
    };
};

/* The classic 16-byte identifier. */
typedef struct GUID
{
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
} GUID;
typedef GUID IID;
typedef GUID CLSID;
#ifdef __cplusplus
typedef const GUID &REFGUID;
typedef const IID &REFIID;
typedef const CLSID &REFCLSID;
#else
typedef const GUID *REFGUID;
typedef const IID *REFIID;
typedef const CLSID *REFCLSID;
#endif

/* Invoke's arguments: cArgs VARIANTs, the last argument first, of which the
 * first cNamedArgs are named by rgdispidNamedArgs. */
typedef struct DISPPARAMS
{
    VARIANT *rgvarg;
    DISPID *rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
} DISPPARAMS;

/* What a failing Invoke may tell of its exception. */
typedef struct EXCEPINFO EXCEPINFO;
struct EXCEPINFO
{
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    void *pvReserved;
    HRESULT (*pfnDeferredFillIn)(EXCEPINFO *exception);
    SCODE scode;
};

static const IID IID_NULL VEL_UNUSED = {0x00000000, 0x0000, 0x0000, {0, 0, 0, 0, 0, 0, 0, 0}};
static const IID IID_IDispatch VEL_UNUSED = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const IID IID_IUnknown VEL_UNUSED = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const IID IID_IClassFactory VEL_UNUSED = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

/* Allocates a BSTR of length characters, copied from text unless it is null
 * (then zeroed); null when memory runs out. */
VEL_STRING_HELPER BSTR SysAllocStringLen(const OLECHAR *text, UINT length);
/* Frees a BSTR; a null one is ignored. */
VEL_STRING_HELPER void SysFreeString(BSTR text);
/* The number of characters of a BSTR, read from its length prefix. */
static inline UINT SysStringLen(BSTR text) { return text ? ((const uint32_t *)(const void *)text)[-1] / 2u : 0u; }
/* Makes a VARIANT empty (VT_EMPTY) without reading what it held. */
VEL_STRING_HELPER void VariantInit(VARIANT *value);
/* Frees what a VARIANT owns (the string of a VT_BSTR) and makes it empty;
 * DISP_E_BADVARTYPE, and the VARIANT left as it is, for a type not listed
 * in VARENUM. */
VEL_STRING_HELPER HRESULT VariantClear(VARIANT *value);

#ifdef __cplusplus

struct IUnknown
{
    virtual HRESULT QueryInterface(REFIID riid, void **object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
};

/* Late binding: members by name and identifier; no type information. */
struct IDispatch : public IUnknown
{
    virtual HRESULT GetTypeInfoCount(UINT *count) = 0;
    virtual HRESULT GetTypeInfo(UINT index, LCID locale, void **typeInfo) = 0;
    virtual HRESULT GetIDsOfNames(REFIID riid, OLECHAR **names, UINT count, LCID locale, DISPID *ids) = 0;
    virtual HRESULT Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS *params, VARIANT *result,
                           EXCEPINFO *exception, UINT *argumentError) = 0;
};

struct IClassFactory : public IUnknown
{
    virtual HRESULT CreateInstance(IUnknown *outer, REFIID riid, void **object) = 0;
    virtual HRESULT LockServer(BOOL lock) = 0;
};

#else /* C: a pointer to the table of functions, each taking the object first */

typedef struct IUnknown IUnknown;
typedef struct IUnknownVtbl
{
    HRESULT (*QueryInterface)(IUnknown *This, REFIID riid, void **object);
    ULONG (*AddRef)(IUnknown *This);
    ULONG (*Release)(IUnknown *This);
} IUnknownVtbl;
struct IUnknown
{
    const IUnknownVtbl *lpVtbl;
};

typedef struct IDispatch IDispatch;
typedef struct IDispatchVtbl
{
    HRESULT (*QueryInterface)(IDispatch *This, REFIID riid, void **object);
    ULONG (*AddRef)(IDispatch *This);
    ULONG (*Release)(IDispatch *This);
    HRESULT (*GetTypeInfoCount)(IDispatch *This, UINT *count);
    HRESULT (*GetTypeInfo)(IDispatch *This, UINT index, LCID locale, void **typeInfo);
    HRESULT (*GetIDsOfNames)(IDispatch *This, REFIID riid, OLECHAR **names, UINT count, LCID locale, DISPID *ids);
    HRESULT (*Invoke)(IDispatch *This, DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS *params,
                      VARIANT *result, EXCEPINFO *exception, UINT *argumentError);
} IDispatchVtbl;
struct IDispatch
{
    const IDispatchVtbl *lpVtbl;
};

typedef struct IClassFactory IClassFactory;
typedef struct IClassFactoryVtbl
{
    HRESULT (*QueryInterface)(IClassFactory *This, REFIID riid, void **object);
    ULONG (*AddRef)(IClassFactory *This);
    ULONG (*Release)(IClassFactory *This);
    HRESULT (*CreateInstance)(IClassFactory *This, IUnknown *outer, REFIID riid, void **object);
    HRESULT (*LockServer)(IClassFactory *This, BOOL lock);
} IClassFactoryVtbl;
struct IClassFactory
{
    const IClassFactoryVtbl *lpVtbl;
};

#endif /* __cplusplus */
#endif /* _WIN32 */

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

/* Their types, for a host that finds them at run time (dlsym, GetProcAddress). */
typedef HRESULT(VEL_CALL *VEL_DllGetClassObject)(REFCLSID rclsid, REFIID riid, void **object);
typedef HRESULT(VEL_CALL *VEL_DllEntry)(void);

#endif /* VEL_PART_SET_H */
