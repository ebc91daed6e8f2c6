/* QRV_SERVER.h: the reference server components of the Partition Settings
 * component as an in-process server, libQRV_SERVER.so (QRV_SERVER.dll on
 * Windows): the six configuration components, the message component, the
 * node-maximum reader, the name checker, and the units of work of the one
 * store behind them.
 *
 * The library exports the four in-process server entry points.
 * DllGetClassObject gives a class factory for each class below, and
 * CreateInstance an object through IUnknown or its interface.
 * DllRegisterServer writes each class's keys under the classes root: its
 * CLSID key with InprocServer32 naming this library, and for a class with a
 * ProgID the ProgID's CLSID key; DllUnregisterServer removes them.
 *
 * The store: the file or database that the environment variable
 * QRV_SERVER_STORE names (a SQLite file path or a postgresql:// URI), else
 * the sample store in the data folder's Database folder
 * (SampleStore.sqlite), made and seeded on first use. All objects of a
 * process share one store while any of them lives. An object that cannot
 * open it is not made: CreateInstance fails with the store's reason.
 *
 * Calls: every argument is text (a BSTR; identifiers as decimal text) but
 * the message component's three LONGs; the reads answer rowset XML in
 * *answer, allocated by SysAllocStringLen for the caller to free. A refused
 * call answers VEL_E_RUNTIME(number) and leaves an IErrorInfo with the
 * component's ProgID (or name) as source and the reason as description
 * (VEL_COM.h).
 *
 * Units of work: a QRV_UnitOfWork is a session of its own. The component
 * calls between its Enter and the matching Leave are made in that session:
 * the revisions of the partitions they load are noted for it, and its
 * updates are refused when another session saved the partition since. Begin
 * opens a unit (one at a time; Begin while one is open, and Commit without
 * one, are refused); the write calls until Commit are durable together or
 * not at all: a refused call fails alone and what was sent before it stays,
 * and a crash, kill or lost connection before Commit leaves the store as it
 * was. Rollback drops what the open unit sent. Note adds words (such as
 * "copied from partition 3") to the change history of the open unit's
 * changes. BeginWholeOrNothing opens a unit for a writer that gives up at
 * the first refusal: its calls run without a savepoint each, so after one
 * that failed in the store every later call and Commit are refused, and
 * only Rollback ends it (a call the component refuses for a malformed
 * argument, before it reaches the store, fails alone either way).
 */
#ifndef QRV_SERVER_H
#define QRV_SERVER_H

#include "VEL_COM.h"

/* The classes: ProgID, class identifier, and the interface each object gives
 * besides IUnknown. The interface identifiers of the six server components
 * and the message component, and the reader's class identifier, are the
 * system's; the others are this library's own. */
#define QRV_PROGID_CONFIG "QRVdb.CONFIG"
#define QRV_PROGID_SR "QRVdb.SR"
#define QRV_PROGID_INSCONFIG "QRVins.INSCONFIG"
#define QRV_PROGID_INSNODES "QRVins.INSNODES"
#define QRV_PROGID_UDCONFIG "QRVud.UDCONFIG"
#define QRV_PROGID_UDNODES "QRVud.UDNODES"
#define QRV_PROGID_MSGBOX "VEL_MsgBox.Busyness_Rules"
#define QRV_PROGID_UNITOFWORK "QRVdb.UnitOfWork"
static const GUID CLSID_QRVdb_CONFIG VEL_UNUSED = {0x4DC65E6D, 0x5C6B, 0x4ECC, {0x82, 0x18, 0x09, 0x11, 0xC3, 0x8B,
    0x94, 0x1A}};
static const GUID IID_QRVdb_CONFIG VEL_UNUSED = {0x548F5081, 0x0C90, 0x11D5, {0x80, 0x48, 0x00, 0x01, 0x02, 0x70,
    0x4B, 0x80}};
static const GUID CLSID_QRVdb_SR VEL_UNUSED = {0xC49673ED, 0x9C8D, 0x43E8, {0x96, 0x18, 0x13, 0x17, 0x27, 0x8D, 0x1D,
    0x37}};
static const GUID IID_QRVdb_SR VEL_UNUSED = {0x979138E1, 0x08D9, 0x11D5, {0x80, 0x48, 0x00, 0x01, 0x02, 0x70, 0x4B,
    0x80}};
static const GUID CLSID_QRVins_INSCONFIG VEL_UNUSED = {0xDCDF80E5, 0xC639, 0x40BD, {0x81, 0x1E, 0x9D, 0x71, 0x5B,
    0x92, 0xAC, 0x1E}};
static const GUID IID_QRVins_INSCONFIG VEL_UNUSED = {0x6DDA4B10, 0x1D41, 0x11D5, {0x80, 0x48, 0x00, 0x01, 0x02, 0x70,
    0x4B, 0x80}};
static const GUID CLSID_QRVins_INSNODES VEL_UNUSED = {0x1DF97A81, 0xAEAF, 0x47A3, {0x9F, 0xFB, 0x8B, 0xD3, 0xB1, 0x39,
    0xF9, 0x7D}};
static const GUID IID_QRVins_INSNODES VEL_UNUSED = {0x21AA9B61, 0x21F9, 0x11D5, {0x80, 0x48, 0x00, 0x01, 0x02, 0x70,
    0x4B, 0x80}};
static const GUID CLSID_QRVud_UDCONFIG VEL_UNUSED = {0x9F251A95, 0xD02D, 0x4F1B, {0x9F, 0x13, 0xC6, 0xC3, 0xB3, 0x0D,
    0x94, 0x2D}};
static const GUID IID_QRVud_UDCONFIG VEL_UNUSED = {0xA6C873C1, 0x1D0E, 0x11D5, {0x80, 0x48, 0x00, 0x01, 0x02, 0x70,
    0x4B, 0x80}};
static const GUID CLSID_QRVud_UDNODES VEL_UNUSED = {0xC5D4E441, 0xAB68, 0x456B, {0xB6, 0xE1, 0xBE, 0xC9, 0xE2, 0x68,
    0xE3, 0x1A}};
static const GUID IID_QRVud_UDNODES VEL_UNUSED = {0x645B6DF2, 0x13CB, 0x11D5, {0x80, 0x48, 0x00, 0x01, 0x02, 0x70,
    0x4B, 0x80}};
static const GUID CLSID_VEL_MsgBox_Busyness_Rules VEL_UNUSED = {0x8C6CB96D, 0xF71E, 0x4CA1, {0xB1, 0xA9, 0xE5, 0xF0,
    0x1B, 0xED, 0xBC, 0x78}};
static const GUID IID_VEL_MsgBox_Busyness_Rules VEL_UNUSED = {0xDC5E6403, 0xA940, 0x4150, {0x93, 0x76, 0x40, 0xCD,
    0x03, 0x07, 0xB5, 0x36}};
static const GUID CLSID_QRV_NodeTypeMaxReader VEL_UNUSED = {0xDE179831, 0x08C7, 0x11D5, {0x80, 0x48, 0x00, 0x01, 0x02,
    0x70, 0x4B, 0x80}};
static const GUID IID_QRV_NodeTypeMaxReader VEL_UNUSED = {0xDE179830, 0x08C7, 0x11D5, {0x80, 0x48, 0x00, 0x01, 0x02,
    0x70, 0x4B, 0x80}};
static const GUID CLSID_QRV_NameValidator VEL_UNUSED = {0x5B0D3C62, 0x6F0E, 0x4E59, {0x9A, 0x43, 0x2C, 0x7C, 0x1E,
    0x5D, 0x8A, 0x11}};
static const GUID IID_QRV_NameValidator VEL_UNUSED = {0x5B0D3C63, 0x6F0E, 0x4E59, {0x9A, 0x43, 0x2C, 0x7C, 0x1E, 0x5D,
    0x8A, 0x11}};
static const GUID CLSID_QRV_UnitOfWork VEL_UNUSED = {0xE2E774FF, 0x2608, 0x4FBC, {0xB8, 0xA8, 0x18, 0xC9, 0x4D, 0x1F,
    0x30, 0x9A}};
static const GUID IID_QRV_UnitOfWork VEL_UNUSED = {0x45D985A0, 0xBCAC, 0x4C90, {0xAB, 0x6A, 0x7E, 0x38, 0xDB, 0x91,
    0x25, 0x0C}};

#ifdef __cplusplus

/* Reads of the configuration: a partition's settings, the configuration, its partitions. */
struct QRVdb_CONFIG : public IUnknown
{
    virtual HRESULT VEL_CALL Get_Partition_Settings_XML(BSTR Config_ID, BSTR PartitionID, BSTR *answer) = 0;
    virtual HRESULT VEL_CALL Get_Configuration_XML(BSTR *answer) = 0;
    virtual HRESULT VEL_CALL Get_Partitions_XML(BSTR Config_ID, BSTR *answer) = 0;
};

/* Reads of the node type list. */
struct QRVdb_SR : public IUnknown
{
    virtual HRESULT VEL_CALL Get_Node_Types_XML(BSTR *answer) = 0;
};

/* Stores a new partition row: the configuration, the partition and its eleven settings. */
struct QRVins_INSCONFIG : public IUnknown
{
    virtual HRESULT VEL_CALL Insert_Partition_Record(BSTR Config_ID, BSTR PartitionID, BSTR Name, BSTR
        PartitionAccessCode, BSTR REMLanguage, BSTR SelectLimit, BSTR TimeLimit, BSTR Command, BSTR NoMSGRecorded,
        BSTR TotalRecTime, BSTR TotalTimeOfMessagesRecorded, BSTR TimeLeft, BSTR MsgNo) = 0;
};

/* Stores one node maximum. */
struct QRVins_INSNODES : public IUnknown
{
    virtual HRESULT VEL_CALL Insert_Node_Type_Max_Record(BSTR Config_ID, BSTR PartitionID, BSTR NodeType_ID, BSTR
        Max_Number) = 0;
};

/* Updates a partition row; tells the server which partition the dialog shows. */
struct QRVud_UDCONFIG : public IUnknown
{
    virtual HRESULT VEL_CALL Update_Partition_Record(BSTR Config_ID, BSTR PartitionID, BSTR Name, BSTR
        PartitionAccessCode, BSTR REMLanguage, BSTR SelectLimit, BSTR TimeLimit, BSTR Command, BSTR NoMSGRecorded,
        BSTR TotalRecTime, BSTR TotalTimeOfMessagesRecorded, BSTR TimeLeft, BSTR MsgNo) = 0;
    virtual HRESULT VEL_CALL Select_Partition(BSTR PartitionID) = 0;
};

/* Updates one node maximum. */
struct QRVud_UDNODES : public IUnknown
{
    virtual HRESULT VEL_CALL Update_Node_Type_Max_Record(BSTR Config_ID, BSTR PartitionID, BSTR NodeType_ID, BSTR
        Max_Number) = 0;
};

/* Shows an error message to the user; *answer is the button pressed (1 for OK). */
struct VEL_MsgBox_Busyness_Rules : public IUnknown
{
    virtual HRESULT VEL_CALL Show_Error_Message(LONG kind, BSTR message, LONG buttons, LONG icon, BSTR title, LONG
        *answer) = 0;
};

/* The node maxima of one partition (no rows when none are stored). */
struct QRV_NodeTypeMaxReader : public IUnknown
{
    virtual HRESULT VEL_CALL Get_Node_Type_Max_XML(BSTR Config_ID, BSTR PartitionID, BSTR *answer) = 0;
};

/* Whether a partition name may be stored, and the text to store in its place. */
struct QRV_NameValidator : public IUnknown
{
    virtual HRESULT VEL_CALL CheckName(BSTR name, VARIANT_BOOL *answer) = 0;
    virtual HRESULT VEL_CALL ConvertName(BSTR name, BSTR *answer) = 0;
};

/* A session of its own and its units of work (below). */
struct QRV_UnitOfWork : public IUnknown
{
    virtual HRESULT VEL_CALL Enter() = 0;
    virtual HRESULT VEL_CALL Leave() = 0;
    virtual HRESULT VEL_CALL Begin() = 0;
    virtual HRESULT VEL_CALL Commit() = 0;
    virtual HRESULT VEL_CALL Rollback() = 0;
    virtual HRESULT VEL_CALL Note(BSTR words) = 0;
    virtual HRESULT VEL_CALL BeginWholeOrNothing() = 0;
};

#else /* C: a pointer to the table of functions, each taking the object first */

typedef struct QRVdb_CONFIG QRVdb_CONFIG;
typedef struct QRVdb_CONFIGVtbl
{
    HRESULT(VEL_CALL *QueryInterface)(QRVdb_CONFIG *This, REFIID riid, void **object);
    ULONG(VEL_CALL *AddRef)(QRVdb_CONFIG *This);
    ULONG(VEL_CALL *Release)(QRVdb_CONFIG *This);
    HRESULT(VEL_CALL *Get_Partition_Settings_XML)(QRVdb_CONFIG *This, BSTR Config_ID, BSTR PartitionID, BSTR *answer);
    HRESULT(VEL_CALL *Get_Configuration_XML)(QRVdb_CONFIG *This, BSTR *answer);
    HRESULT(VEL_CALL *Get_Partitions_XML)(QRVdb_CONFIG *This, BSTR Config_ID, BSTR *answer);
} QRVdb_CONFIGVtbl;
struct QRVdb_CONFIG
{
    const QRVdb_CONFIGVtbl *lpVtbl;
};

typedef struct QRVdb_SR QRVdb_SR;
typedef struct QRVdb_SRVtbl
{
    HRESULT(VEL_CALL *QueryInterface)(QRVdb_SR *This, REFIID riid, void **object);
    ULONG(VEL_CALL *AddRef)(QRVdb_SR *This);
    ULONG(VEL_CALL *Release)(QRVdb_SR *This);
    HRESULT(VEL_CALL *Get_Node_Types_XML)(QRVdb_SR *This, BSTR *answer);
} QRVdb_SRVtbl;
struct QRVdb_SR
{
    const QRVdb_SRVtbl *lpVtbl;
};

typedef struct QRVins_INSCONFIG QRVins_INSCONFIG;
typedef struct QRVins_INSCONFIGVtbl
{
    HRESULT(VEL_CALL *QueryInterface)(QRVins_INSCONFIG *This, REFIID riid, void **object);
    ULONG(VEL_CALL *AddRef)(QRVins_INSCONFIG *This);
    ULONG(VEL_CALL *Release)(QRVins_INSCONFIG *This);
    HRESULT(VEL_CALL *Insert_Partition_Record)(QRVins_INSCONFIG *This, BSTR Config_ID, BSTR PartitionID, BSTR Name,
        BSTR PartitionAccessCode, BSTR REMLanguage, BSTR SelectLimit, BSTR TimeLimit, BSTR Command, BSTR
        NoMSGRecorded, BSTR TotalRecTime, BSTR TotalTimeOfMessagesRecorded, BSTR TimeLeft, BSTR MsgNo);
} QRVins_INSCONFIGVtbl;
struct QRVins_INSCONFIG
{
    const QRVins_INSCONFIGVtbl *lpVtbl;
};

typedef struct QRVins_INSNODES QRVins_INSNODES;
typedef struct QRVins_INSNODESVtbl
{
    HRESULT(VEL_CALL *QueryInterface)(QRVins_INSNODES *This, REFIID riid, void **object);
    ULONG(VEL_CALL *AddRef)(QRVins_INSNODES *This);
    ULONG(VEL_CALL *Release)(QRVins_INSNODES *This);
    HRESULT(VEL_CALL *Insert_Node_Type_Max_Record)(QRVins_INSNODES *This, BSTR Config_ID, BSTR PartitionID, BSTR
        NodeType_ID, BSTR Max_Number);
} QRVins_INSNODESVtbl;
struct QRVins_INSNODES
{
    const QRVins_INSNODESVtbl *lpVtbl;
};

typedef struct QRVud_UDCONFIG QRVud_UDCONFIG;
typedef struct QRVud_UDCONFIGVtbl
{
    HRESULT(VEL_CALL *QueryInterface)(QRVud_UDCONFIG *This, REFIID riid, void **object);
    ULONG(VEL_CALL *AddRef)(QRVud_UDCONFIG *This);
    ULONG(VEL_CALL *Release)(QRVud_UDCONFIG *This);
    HRESULT(VEL_CALL *Update_Partition_Record)(QRVud_UDCONFIG *This, BSTR Config_ID, BSTR PartitionID, BSTR Name, BSTR
        PartitionAccessCode, BSTR REMLanguage, BSTR SelectLimit, BSTR TimeLimit, BSTR Command, BSTR NoMSGRecorded,
        BSTR TotalRecTime, BSTR TotalTimeOfMessagesRecorded, BSTR TimeLeft, BSTR MsgNo);
    HRESULT(VEL_CALL *Select_Partition)(QRVud_UDCONFIG *This, BSTR PartitionID);
} QRVud_UDCONFIGVtbl;
struct QRVud_UDCONFIG
{
    const QRVud_UDCONFIGVtbl *lpVtbl;
};

typedef struct QRVud_UDNODES QRVud_UDNODES;
typedef struct QRVud_UDNODESVtbl
{
    HRESULT(VEL_CALL *QueryInterface)(QRVud_UDNODES *This, REFIID riid, void **object);
    ULONG(VEL_CALL *AddRef)(QRVud_UDNODES *This);
    ULONG(VEL_CALL *Release)(QRVud_UDNODES *This);
    HRESULT(VEL_CALL *Update_Node_Type_Max_Record)(QRVud_UDNODES *This, BSTR Config_ID, BSTR PartitionID, BSTR
        NodeType_ID, BSTR Max_Number);
} QRVud_UDNODESVtbl;
struct QRVud_UDNODES
{
    const QRVud_UDNODESVtbl *lpVtbl;
};

typedef struct VEL_MsgBox_Busyness_Rules VEL_MsgBox_Busyness_Rules;
typedef struct VEL_MsgBox_Busyness_RulesVtbl
{
    HRESULT(VEL_CALL *QueryInterface)(VEL_MsgBox_Busyness_Rules *This, REFIID riid, void **object);
    ULONG(VEL_CALL *AddRef)(VEL_MsgBox_Busyness_Rules *This);
    ULONG(VEL_CALL *Release)(VEL_MsgBox_Busyness_Rules *This);
    HRESULT(VEL_CALL *Show_Error_Message)(VEL_MsgBox_Busyness_Rules *This, LONG kind, BSTR message, LONG buttons, LONG
        icon, BSTR title, LONG *answer);
} VEL_MsgBox_Busyness_RulesVtbl;
struct VEL_MsgBox_Busyness_Rules
{
    const VEL_MsgBox_Busyness_RulesVtbl *lpVtbl;
};

typedef struct QRV_NodeTypeMaxReader QRV_NodeTypeMaxReader;
typedef struct QRV_NodeTypeMaxReaderVtbl
{
    HRESULT(VEL_CALL *QueryInterface)(QRV_NodeTypeMaxReader *This, REFIID riid, void **object);
    ULONG(VEL_CALL *AddRef)(QRV_NodeTypeMaxReader *This);
    ULONG(VEL_CALL *Release)(QRV_NodeTypeMaxReader *This);
    HRESULT(VEL_CALL *Get_Node_Type_Max_XML)(QRV_NodeTypeMaxReader *This, BSTR Config_ID, BSTR PartitionID, BSTR
        *answer);
} QRV_NodeTypeMaxReaderVtbl;
struct QRV_NodeTypeMaxReader
{
    const QRV_NodeTypeMaxReaderVtbl *lpVtbl;
};

typedef struct QRV_NameValidator QRV_NameValidator;
typedef struct QRV_NameValidatorVtbl
{
    HRESULT(VEL_CALL *QueryInterface)(QRV_NameValidator *This, REFIID riid, void **object);
    ULONG(VEL_CALL *AddRef)(QRV_NameValidator *This);
    ULONG(VEL_CALL *Release)(QRV_NameValidator *This);
    HRESULT(VEL_CALL *CheckName)(QRV_NameValidator *This, BSTR name, VARIANT_BOOL *answer);
    HRESULT(VEL_CALL *ConvertName)(QRV_NameValidator *This, BSTR name, BSTR *answer);
} QRV_NameValidatorVtbl;
struct QRV_NameValidator
{
    const QRV_NameValidatorVtbl *lpVtbl;
};

typedef struct QRV_UnitOfWork QRV_UnitOfWork;
typedef struct QRV_UnitOfWorkVtbl
{
    HRESULT(VEL_CALL *QueryInterface)(QRV_UnitOfWork *This, REFIID riid, void **object);
    ULONG(VEL_CALL *AddRef)(QRV_UnitOfWork *This);
    ULONG(VEL_CALL *Release)(QRV_UnitOfWork *This);
    HRESULT(VEL_CALL *Enter)(QRV_UnitOfWork *This);
    HRESULT(VEL_CALL *Leave)(QRV_UnitOfWork *This);
    HRESULT(VEL_CALL *Begin)(QRV_UnitOfWork *This);
    HRESULT(VEL_CALL *Commit)(QRV_UnitOfWork *This);
    HRESULT(VEL_CALL *Rollback)(QRV_UnitOfWork *This);
    HRESULT(VEL_CALL *Note)(QRV_UnitOfWork *This, BSTR words);
    HRESULT(VEL_CALL *BeginWholeOrNothing)(QRV_UnitOfWork *This);
} QRV_UnitOfWorkVtbl;
struct QRV_UnitOfWork
{
    const QRV_UnitOfWorkVtbl *lpVtbl;
};

#endif /* __cplusplus */

VEL_ENTRY DllGetClassObject(REFCLSID rclsid, REFIID riid, void **object);
VEL_ENTRY DllCanUnloadNow(void);
VEL_ENTRY DllRegisterServer(void);
VEL_ENTRY DllUnregisterServer(void);

#endif /* QRV_SERVER_H */
