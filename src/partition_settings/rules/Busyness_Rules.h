// Busyness_Rules: the one creatable class of the component. A configuration
// host creates it, optionally sets its public fields, and calls Shown to let
// the user edit the partitions of one configuration in the modal Partition
// Settings dialog. The same object is the dialog's back end.
//
// No error leaves this class: every procedure traps its own run-time errors
// and either records them (ErrorInfo, the user log, a message unless silent)
// or shows them in a critical message box.
#pragma once

#include "components/ComponentFactory.h"
#include "components/ServerComponents.h"
#include "components/UnitOfWork.h"
#include "core/KeyedCollection.h"
#include "core/Modules.h"
#include "core/ObjectRef.h"
#include "core/Variant.h"
#include "rowset/RecordSet.h"
#include "partition_settings/dialog/NodeGridGeometry.h"

#include <QPointer>
#include <QString>
#include <QUuid>
#include <array>
#include <functional>
#include <memory>

class GUI;
class QLabel;
class QLineEdit;

// The class's identity, as the configuration hosts know it.
namespace BusynessRulesIdentity {
inline constexpr const char *LibraryName = "VEL_PART_SET";
inline QUuid libraryId() { return QUuid("{7A6926D0-BD6A-4C83-B0B1-934AEBEA46C3}"); }
inline QUuid classId() { return QUuid("{E1188022-2112-48E7-ABD7-B83E9D329DFC}"); }
inline QUuid interfaceId() { return QUuid("{1FFE7915-51FF-4D03-95DA-CEF60AC6CDE9}"); }
} // namespace BusynessRulesIdentity

class Busyness_Rules
{
public:
    // Module numbers of the error recorder, as the class has always named them.
    using Module = rt::Module;
    static constexpr Module ModuleBusinessRules = rt::ModuleBusinessRules;
    static constexpr Module ModuleGUI = rt::ModuleGUI;

    // Creates the outside components through the factory (the process-wide
    // one unless a host or a test gives another).
    explicit Busyness_Rules(const ComponentFactory &factory = ComponentFactory::global());
    ~Busyness_Rules();
    Busyness_Rules(const Busyness_Rules &) = delete;
    Busyness_Rules &operator=(const Busyness_Rules &) = delete;

    // ---- The interface, in its order ----
    qint16 LanguageID() const { return m_LanguageID; }
    void LanguageID(qint16 value) { m_LanguageID = value; }
    qint16 UserID() const { return m_UserID; }
    void UserID(qint16 value) { m_UserID = value; }
    QString Err_Title() const { return m_Err_Title; }
    void Err_Title(const QString &value) { m_Err_Title = value; }
    QString Err_Desc() const { return m_Err_Desc; }
    void Err_Desc(const QString &value) { m_Err_Desc = value; }
    QString ErrLocation() const { return m_ErrLocation; }
    qint32 ErrCode() const { return m_ErrCode; }
    QString ErrDescription() const { return m_ErrDescription; }
    qint16 Config_ID() const { return m_Config_ID; }
    void Partition_ID(qint16 Given_PartitionID) { m_Partition_ID = Given_PartitionID; }
    qint16 Partition_ID() const { return m_Partition_ID; }
    bool FirstLoad() const { return m_FirstLoad; }
    qint16 MaxPartition() const { return m_MaxPartition; }

    // Opens the dialog for one configuration and returns when it is closed.
    // The result holds True unless an error was recorded.
    Variant Shown(qint16 Config_ID, qint16 Partition_ID, const QString &MenuOption, qint16 Language_ID = 1,
                  bool Silent_Error = false, bool PartitionEnabled = true);

    void Insert_Partition();
    bool Update_Partition(const QString &Given_Name, const QString &Given_PartitionAccessCode,
                          const QString &Given_REMLanguage, const QString &Given_SelectLimit,
                          const QString &Given_TimeLimit, const QString &Given_Command,
                          const QString &Given_NoMSGRecorded, const QString &Given_TotalRecTime,
                          const QString &Given_TotalTimeOfMessagesRecorded, const QString &Given_TimeLeft,
                          const QString &Given_MsgNo);

    // ---- Procedures internal to the component (the dialog calls them) ----

    // The recording path and the message path of error reporting.
    void Record_Error(const QString &source, const QString &procedure, qint32 number, const QString &description,
                      qint16 module);
    void Show_Resource_Error(qint16 resourceNumber, const QString &text);
    void Show_Resource_Failure();

    // Loaders.
    std::unique_ptr<RecordSet> XMLToRS(); // empty after a reported failure
    RecordSet XMLTextToRS(const QString &text);
    bool PartitionExists();
    void Obtain_All_Node_Type_Name(qint16 language);
    bool Get_Data();
    void Get_Partitions(qint16 configId);
    void Get_Partition_Settings(qint16 configId, qint16 partitionId, bool DefaultView);
    void Get_Node_Type_Max(qint16 configId, qint16 partitionId);

    // One save: the writes made while it lives are one unit of work of this
    // object's session, made durable together by commit() (which raises a
    // run-time error when it fails); destroyed without commit(), it drops
    // them. A save inside another joins it, and only the outermost commits.
    // Without units of work from the factory each write is durable at once.
    class SaveUnit
    {
    public:
        explicit SaveUnit(Busyness_Rules &rules);
        ~SaveUnit();
        SaveUnit(const SaveUnit &) = delete;
        SaveUnit &operator=(const SaveUnit &) = delete;
        void commit();

    private:
        Busyness_Rules &m_rules;
        bool m_open = false; // this save began the unit and has not ended it
    };
    // The server component calls made while one lives are this object's
    // session's.
    class InSession
    {
    public:
        explicit InSession(Busyness_Rules &rules);
        ~InSession();
        InSession(const InSession &) = delete;
        InSession &operator=(const InSession &) = delete;

    private:
        UnitOfWork *m_unitOfWork;
    };

    // Savers.
    void Update_Node_Type_MAX(const std::array<QLabel *, nodeGrid::Rows> &lblNodeTypeID,
                              std::array<QLineEdit *, nodeGrid::Rows> &txtNode);

    // Access check and start-up state.
    void Security();
    void Initial();
    void ReloadPartitionCombo();

    // State the dialog and the tests read.
    const QString &MenuOption() const { return m_MenuOption; }
    // True in no-access (MenuOption "x") and in read-only access ("r").
    bool NoAccess() const;
    bool ReadOnly() const;
    // False in both: such a showing never writes. The dialog never marks a
    // change and its Apply refuses; the savers, and the loaders that store a
    // missing partition or missing node maxima, write nothing.
    bool MayWrite() const { return !NoAccess() && !ReadOnly(); }
    qint16 NodeTypeCount() const { return m_NodeTypeCount; }
    const KeyedCollection &NodeTypeNames() const { return *m_NodeTypeNames; }
    bool Silent_Error() const { return m_Silent_Error; }

private:
    void Class_Initialize(const ComponentFactory &factory);
    // The dialog the loaders and savers work on; error 91 when no showing
    // has loaded it (the loaders never load one of their own).
    GUI &dialog() const;
    // The dialog for a public call that writes into it: the loaded one, or
    // else the default instance, loaded hidden with this object as its rules,
    // as touching a form loads it. It stays loaded until a showing ends or
    // this object is released.
    GUI &defaultInstance();
    void clearErrorInfo();
    void Report_Error();
    void Write_User_Log();
    // Message-path reports of the error being handled (call inside a catch):
    // the loaders show source ":Name " CR LF description with resource text
    // 36; XMLToRS and the savers source ":Name:" description with text 1.
    void showLoaderFailure(const QString &procedure);
    void showOperationFailure(const QString &procedure);
    // Runs a saver's writes in one save and commits it, also after a write
    // failed, so that what was sent before the failure stays. A failure, the
    // commit's included, is shown as the procedure's; the answer is then false.
    bool inSaveUnit(const QString &procedure, const std::function<void()> &writes);
    void storeArguments(qint16 Config_ID, qint16 Partition_ID, const QString &MenuOption, qint16 Language_ID,
                        bool Silent_Error);
    void prepareAndShow(GUI &form, bool PartitionEnabled);
    void applyCaptions(GUI &form, bool PartitionEnabled);
    void createMissingPartition(GUI &form);
    void showLoadedDialog(GUI &form);
    void showSettingsRow(GUI &form, const RecordSet &settings, bool DefaultView);
    void showDefaultsAndCreate(GUI &form, qint16 configId, qint16 partitionId);
    // A new partition from the values standing in the dialog and the given
    // times: nothing recorded yet, no time left, message number 1.
    static PartitionRecord newPartitionRecord(GUI &form, qint16 configId, qint16 partitionId, qint16 timeLimit,
                                              qint16 totalRecTime);
    void placeSelector(GUI &form);
    void fillPlayMessageList(GUI &form);
    void fillNodeRow(GUI &form, qint16 &row, qint16 id, qint16 maximum);
    void storeDefaultMaxima(GUI &form, qint16 configId, qint16 &row);

    // Public fields of the interface.
    qint16 m_LanguageID = 0;
    qint16 m_UserID = 0;
    QString m_Err_Title;
    QString m_Err_Desc;

    // ErrorInfo.
    QString m_ErrLocation;
    qint32 m_ErrCode = 0;
    QString m_ErrDescription;

    qint16 m_Config_ID = 0;
    qint16 m_Partition_ID = 0;
    qint16 m_LanguageNumber = 0;
    bool m_Silent_Error = false;
    ObjectRef<KeyedCollection> m_NodeTypeNames;
    ComponentRef<VEL_MsgBox::Busyness_Rules> m_MessageBox;
    QString XML_Buffer;
    QString m_MenuOption;
    qint16 m_MaxPartition = 0;
    ObjectRef<RecordSet> CurrentRS;
    bool m_FirstLoad = false;
    qint16 m_NodeTypeCount = 0;

    // Server components.
    ComponentRef<QRVud::UDCONFIG> m_UDCONFIG;
    ComponentRef<QRVdb::SR> m_SR;
    ComponentRef<QRVdb::CONFIG> m_CONFIG;
    ComponentRef<QRVud::UDNODES> m_UDNODES;
    ComponentRef<QRVins::INSCONFIG> m_INSCONFIG;
    ComponentRef<QRVins::INSNODES> m_INSNODES;

    // The session and units of work, when the factory offers them.
    std::unique_ptr<UnitOfWork> m_unitOfWork;
    int m_saveDepth = 0; // saves open, the outermost first

    // Scratch record set of the user log.
    ObjectRef<RecordSet> m_ScratchRS;

    const ComponentFactory &m_factory;
    // The default instance that defaultInstance() loaded, while it is loaded.
    QPointer<GUI> m_hiddenForm;
};
