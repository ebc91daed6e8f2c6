/* VEL_COM.h: the component-object types that the component's public
 * headers (VEL_PART_SET.h, QRV_SERVER.h) share.
 *
 * On Windows the system's COM headers define GUID, HRESULT, BSTR, VARIANT,
 * IUnknown, IDispatch, IClassFactory and IErrorInfo, and strings, VARIANTs
 * and the thread's error object come from OleAut32. Elsewhere this header
 * defines them with the same memory layout and call order, and the
 * component's runtime library (libpartset_com_runtime.so, loaded with
 * either library) exports SysAllocStringLen, SysFreeString, VariantInit,
 * VariantClear, SetErrorInfo and GetErrorInfo, and the creation of objects
 * of registered in-process servers, CoInitialize, CoUninitialize,
 * CLSIDFromProgID and CoCreateInstance. A host links the runtime (the
 * package's VEL_PART_SET::runtime, or -lpartset_com_runtime), or finds its
 * functions through the handle of a library it loaded (dlsym searches what
 * it loaded with it).
 *
 * Errors across an interface: a call that fails answers a failing HRESULT
 * and, where it can say more, leaves an IErrorInfo for the calling thread
 * (SetErrorInfo), which the caller takes once with GetErrorInfo. A run-time
 * error of number n answers VEL_E_RUNTIME(n), 0x800A0000 + n.
 */
#ifndef VEL_COM_H
#define VEL_COM_H

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
#if defined(VEL_COM_EXPORTING)
#define VEL_ENTRY VEL_EXTERN_C __attribute__((visibility("default"))) HRESULT
#else
#define VEL_ENTRY VEL_EXTERN_C HRESULT
#endif
#if defined(VEL_COM_RUNTIME_BUILDING)
#define VEL_RUNTIME_API VEL_EXTERN_C __attribute__((visibility("default")))
#else
#define VEL_RUNTIME_API VEL_EXTERN_C
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
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154)
#define CO_E_CLASSSTRING ((HRESULT)0x800401F3)
#define CO_E_DLLNOTFOUND ((HRESULT)0x800401F8)
#define CO_E_ERRORINDLL ((HRESULT)0x800401F9)
#define CLSCTX_INPROC_SERVER ((DWORD)1)
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
static const IID IID_IErrorInfo VEL_UNUSED = {0x1CF2B120, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};

/* Allocates a BSTR of length characters, copied from text unless it is null
 * (then zeroed); null when memory runs out. */
VEL_RUNTIME_API BSTR SysAllocStringLen(const OLECHAR *text, UINT length);
/* Frees a BSTR; a null one is ignored. */
VEL_RUNTIME_API void SysFreeString(BSTR text);
/* The number of characters of a BSTR, read from its length prefix. */
static inline UINT SysStringLen(BSTR text) { return text ? ((const uint32_t *)(const void *)text)[-1] / 2u : 0u; }
/* Makes a VARIANT empty (VT_EMPTY) without reading what it held. */
VEL_RUNTIME_API void VariantInit(VARIANT *value);
/* Frees what a VARIANT owns (the string of a VT_BSTR) and makes it empty;
 * DISP_E_BADVARTYPE, and the VARIANT left as it is, for a type not listed
 * in VARENUM. */
VEL_RUNTIME_API HRESULT VariantClear(VARIANT *value);

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

/* The description of the last failure of a call on this thread. */
struct IErrorInfo : public IUnknown
{
    virtual HRESULT GetGUID(GUID *interfaceId) = 0;
    virtual HRESULT GetSource(BSTR *source) = 0;
    virtual HRESULT GetDescription(BSTR *description) = 0;
    virtual HRESULT GetHelpFile(BSTR *helpFile) = 0;
    virtual HRESULT GetHelpContext(DWORD *helpContext) = 0;
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

typedef struct IErrorInfo IErrorInfo;
typedef struct IErrorInfoVtbl
{
    HRESULT (*QueryInterface)(IErrorInfo *This, REFIID riid, void **object);
    ULONG (*AddRef)(IErrorInfo *This);
    ULONG (*Release)(IErrorInfo *This);
    HRESULT (*GetGUID)(IErrorInfo *This, GUID *interfaceId);
    HRESULT (*GetSource)(IErrorInfo *This, BSTR *source);
    HRESULT (*GetDescription)(IErrorInfo *This, BSTR *description);
    HRESULT (*GetHelpFile)(IErrorInfo *This, BSTR *helpFile);
    HRESULT (*GetHelpContext)(IErrorInfo *This, DWORD *helpContext);
} IErrorInfoVtbl;
struct IErrorInfo
{
    const IErrorInfoVtbl *lpVtbl;
};

#endif /* __cplusplus */

/* The calling thread's error object: SetErrorInfo replaces it (null clears
 * it; the slot takes a reference); GetErrorInfo hands it over and clears the
 * slot, answering S_FALSE and null when there is none. The reserved number
 * must be 0. */
VEL_RUNTIME_API HRESULT SetErrorInfo(ULONG reserved, IErrorInfo *error);
VEL_RUNTIME_API HRESULT GetErrorInfo(ULONG reserved, IErrorInfo **error);

/* Objects of registered in-process servers. CoInitialize answers S_OK and
 * CoUninitialize does nothing: there are no apartments to enter here.
 * CLSIDFromProgID reads <ProgID>\CLSID under the classes root
 * (CO_E_CLASSSTRING when it names no class). CoCreateInstance, in the
 * context CLSCTX_INPROC_SERVER, loads the library that
 * CLSID\{id}\InprocServer32 names (once; it stays loaded), takes its class
 * factory and asks it for the object: REGDB_E_CLASSNOTREG when the class
 * has no library, CO_E_DLLNOTFOUND when the library cannot be loaded,
 * CO_E_ERRORINDLL when it has no DllGetClassObject, else the factory's
 * answer. */
VEL_RUNTIME_API HRESULT CoInitialize(void *reserved);
VEL_RUNTIME_API void CoUninitialize(void);
VEL_RUNTIME_API HRESULT CLSIDFromProgID(const OLECHAR *progId, CLSID *classId);
VEL_RUNTIME_API HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown *outer, DWORD context, REFIID riid,
                                         void **object);

#endif /* _WIN32 */

/* A run-time error of number n (a classic BASIC error number) as an HRESULT. */
#define VEL_E_RUNTIME(n) ((HRESULT)(0x800A0000u | (unsigned)(n)))
#define VEL_RUNTIME_NUMBER(hr) ((((unsigned)(hr)) & 0xFFFF0000u) == 0x800A0000u ? (long)(((unsigned)(hr)) & 0xFFFFu) : (long)(hr))

/* The two entry points' types, for a host that finds them at run time
 * (dlsym, GetProcAddress). */
typedef HRESULT(VEL_CALL *VEL_DllGetClassObject)(REFCLSID rclsid, REFIID riid, void **object);
typedef HRESULT(VEL_CALL *VEL_DllEntry)(void);

#endif /* VEL_COM_H */
