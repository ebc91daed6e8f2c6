// The objects over the reference components. Each holds its component; the
// store's components hold the library's store (LibraryStore.h).
#include "servercom/ServerObjects.h"

#include "comkit/ComStrings.h"
#include "comkit/ErrorObject.h"
#include "server/PartitionNameValidator.h"
#include "server/ReadComponents.h"
#include "server/StoreUnitOfWork.h"
#include "server/WriteComponents.h"
#include "servercom/LibraryStore.h"
#include "ui/MessageBoxComponent.h"

#include <memory>

namespace servercom {
namespace {

using com::fromBstr;

// A read: *answer receives the text the body gives.
template <typename Body> HRESULT answerText(BSTR *answer, Body body)
{
    if (!answer)
        return E_POINTER;
    *answer = nullptr;
    return com::guardedCall([&] { *answer = com::toBstr(body()); });
}

PartitionRecord partitionRecord(BSTR Config_ID, BSTR PartitionID, BSTR Name, BSTR PartitionAccessCode,
                                BSTR REMLanguage, BSTR SelectLimit, BSTR TimeLimit, BSTR Command, BSTR NoMSGRecorded,
                                BSTR TotalRecTime, BSTR TotalTimeOfMessagesRecorded, BSTR TimeLeft, BSTR MsgNo)
{
    return {fromBstr(Config_ID),   fromBstr(PartitionID),   fromBstr(Name),
            fromBstr(PartitionAccessCode), fromBstr(REMLanguage), fromBstr(SelectLimit),
            fromBstr(TimeLimit),   fromBstr(Command),       fromBstr(NoMSGRecorded),
            fromBstr(TotalRecTime), fromBstr(TotalTimeOfMessagesRecorded), fromBstr(TimeLeft),
            fromBstr(MsgNo)};
}

NodeTypeMaxRow nodeRow(BSTR Config_ID, BSTR PartitionID, BSTR NodeType_ID, BSTR Max_Number)
{
    return {fromBstr(Config_ID), fromBstr(PartitionID), fromBstr(NodeType_ID), fromBstr(Max_Number)};
}

// An object of interface Interface (named by iid) over a component of type Implementation.
template <class Derived, class Interface, class Implementation>
class Wrapper : public com::CountedUnknown<Derived, Interface>
{
protected:
    explicit Wrapper(std::unique_ptr<Implementation> component) : m_component(std::move(component)) {}
    Implementation &component() { return *m_component; }

private:
    std::unique_ptr<Implementation> m_component;
};

template <class Implementation> std::unique_ptr<Implementation> onLibraryStore()
{
    return std::make_unique<Implementation>(libraryStore());
}

class ConfigObject final : public Wrapper<ConfigObject, QRVdb_CONFIG, server::ConfigReader>
{
public:
    ConfigObject() : Wrapper(onLibraryStore<server::ConfigReader>()) {}
    static bool givesInterface(REFIID riid) { return com::sameGuid(riid, IID_QRVdb_CONFIG); }

    HRESULT VEL_CALL Get_Partition_Settings_XML(BSTR Config_ID, BSTR PartitionID, BSTR *answer) override
    {
        return answerText(answer, [&] {
            return component().Get_Partition_Settings_XML(fromBstr(Config_ID), fromBstr(PartitionID));
        });
    }
    HRESULT VEL_CALL Get_Configuration_XML(BSTR *answer) override
    {
        return answerText(answer, [&] { return component().Get_Configuration_XML(); });
    }
    HRESULT VEL_CALL Get_Partitions_XML(BSTR Config_ID, BSTR *answer) override
    {
        return answerText(answer, [&] { return component().Get_Partitions_XML(fromBstr(Config_ID)); });
    }
};

class NodeTypesObject final : public Wrapper<NodeTypesObject, QRVdb_SR, server::NodeTypeList>
{
public:
    NodeTypesObject() : Wrapper(onLibraryStore<server::NodeTypeList>()) {}
    static bool givesInterface(REFIID riid) { return com::sameGuid(riid, IID_QRVdb_SR); }

    HRESULT VEL_CALL Get_Node_Types_XML(BSTR *answer) override
    {
        return answerText(answer, [&] { return component().Get_Node_Types_XML(); });
    }
};

class PartitionInsertObject final
    : public Wrapper<PartitionInsertObject, QRVins_INSCONFIG, server::PartitionInserter>
{
public:
    PartitionInsertObject() : Wrapper(onLibraryStore<server::PartitionInserter>()) {}
    static bool givesInterface(REFIID riid) { return com::sameGuid(riid, IID_QRVins_INSCONFIG); }

    HRESULT VEL_CALL Insert_Partition_Record(BSTR Config_ID, BSTR PartitionID, BSTR Name, BSTR PartitionAccessCode,
                                             BSTR REMLanguage, BSTR SelectLimit, BSTR TimeLimit, BSTR Command,
                                             BSTR NoMSGRecorded, BSTR TotalRecTime, BSTR TotalTimeOfMessagesRecorded,
                                             BSTR TimeLeft, BSTR MsgNo) override
    {
        return com::guardedCall([&] {
            component().Insert_Partition_Record(partitionRecord(Config_ID, PartitionID, Name, PartitionAccessCode,
                                                                REMLanguage, SelectLimit, TimeLimit, Command,
                                                                NoMSGRecorded, TotalRecTime,
                                                                TotalTimeOfMessagesRecorded, TimeLeft, MsgNo));
        });
    }
};

class NodeInsertObject final : public Wrapper<NodeInsertObject, QRVins_INSNODES, server::NodeMaxInserter>
{
public:
    NodeInsertObject() : Wrapper(onLibraryStore<server::NodeMaxInserter>()) {}
    static bool givesInterface(REFIID riid) { return com::sameGuid(riid, IID_QRVins_INSNODES); }

    HRESULT VEL_CALL Insert_Node_Type_Max_Record(BSTR Config_ID, BSTR PartitionID, BSTR NodeType_ID,
                                                 BSTR Max_Number) override
    {
        return com::guardedCall(
            [&] { component().Insert_Node_Type_Max_Record(nodeRow(Config_ID, PartitionID, NodeType_ID, Max_Number)); });
    }
};

class PartitionUpdateObject final
    : public Wrapper<PartitionUpdateObject, QRVud_UDCONFIG, server::PartitionUpdater>
{
public:
    PartitionUpdateObject() : Wrapper(onLibraryStore<server::PartitionUpdater>()) {}
    static bool givesInterface(REFIID riid) { return com::sameGuid(riid, IID_QRVud_UDCONFIG); }

    HRESULT VEL_CALL Update_Partition_Record(BSTR Config_ID, BSTR PartitionID, BSTR Name, BSTR PartitionAccessCode,
                                             BSTR REMLanguage, BSTR SelectLimit, BSTR TimeLimit, BSTR Command,
                                             BSTR NoMSGRecorded, BSTR TotalRecTime, BSTR TotalTimeOfMessagesRecorded,
                                             BSTR TimeLeft, BSTR MsgNo) override
    {
        return com::guardedCall([&] {
            component().Update_Partition_Record(partitionRecord(Config_ID, PartitionID, Name, PartitionAccessCode,
                                                                REMLanguage, SelectLimit, TimeLimit, Command,
                                                                NoMSGRecorded, TotalRecTime,
                                                                TotalTimeOfMessagesRecorded, TimeLeft, MsgNo));
        });
    }
    HRESULT VEL_CALL Select_Partition(BSTR PartitionID) override
    {
        return com::guardedCall([&] { component().Select_Partition(fromBstr(PartitionID)); });
    }
};

class NodeUpdateObject final : public Wrapper<NodeUpdateObject, QRVud_UDNODES, server::NodeMaxUpdater>
{
public:
    NodeUpdateObject() : Wrapper(onLibraryStore<server::NodeMaxUpdater>()) {}
    static bool givesInterface(REFIID riid) { return com::sameGuid(riid, IID_QRVud_UDNODES); }

    HRESULT VEL_CALL Update_Node_Type_Max_Record(BSTR Config_ID, BSTR PartitionID, BSTR NodeType_ID,
                                                 BSTR Max_Number) override
    {
        return com::guardedCall(
            [&] { component().Update_Node_Type_Max_Record(nodeRow(Config_ID, PartitionID, NodeType_ID, Max_Number)); });
    }
};

class MessageBoxObject final : public Wrapper<MessageBoxObject, VEL_MsgBox_Busyness_Rules, ui::MessageBoxComponent>
{
public:
    MessageBoxObject() : Wrapper(std::make_unique<ui::MessageBoxComponent>()) {}
    static bool givesInterface(REFIID riid) { return com::sameGuid(riid, IID_VEL_MsgBox_Busyness_Rules); }

    HRESULT VEL_CALL Show_Error_Message(LONG kind, BSTR message, LONG buttons, LONG icon, BSTR title,
                                        LONG *answer) override
    {
        if (!answer)
            return E_POINTER;
        *answer = 0;
        return com::guardedCall([&] {
            *answer = component().Show_Error_Message(kind, fromBstr(message), buttons, icon, fromBstr(title));
        });
    }
};

class NodeMaxReadObject final : public Wrapper<NodeMaxReadObject, QRV_NodeTypeMaxReader, server::NodeMaxReader>
{
public:
    NodeMaxReadObject() : Wrapper(onLibraryStore<server::NodeMaxReader>()) {}
    static bool givesInterface(REFIID riid) { return com::sameGuid(riid, IID_QRV_NodeTypeMaxReader); }

    HRESULT VEL_CALL Get_Node_Type_Max_XML(BSTR Config_ID, BSTR PartitionID, BSTR *answer) override
    {
        return answerText(answer, [&] {
            return component().Get_Node_Type_Max_XML(fromBstr(Config_ID), fromBstr(PartitionID));
        });
    }
};

class NameCheckObject final : public Wrapper<NameCheckObject, QRV_NameValidator, server::PartitionNameValidator>
{
public:
    NameCheckObject() : Wrapper(std::make_unique<server::PartitionNameValidator>()) {}
    static bool givesInterface(REFIID riid) { return com::sameGuid(riid, IID_QRV_NameValidator); }

    HRESULT VEL_CALL CheckName(BSTR name, VARIANT_BOOL *answer) override
    {
        if (!answer)
            return E_POINTER;
        *answer = VARIANT_FALSE;
        return com::guardedCall(
            [&] { *answer = component().CheckName(fromBstr(name)) ? VARIANT_TRUE : VARIANT_FALSE; });
    }
    HRESULT VEL_CALL ConvertName(BSTR name, BSTR *answer) override
    {
        return answerText(answer, [&] { return component().ConvertName(fromBstr(name)); });
    }
};

class UnitOfWorkObject final : public Wrapper<UnitOfWorkObject, QRV_UnitOfWork, server::StoreUnitOfWork>
{
public:
    UnitOfWorkObject() : Wrapper(onLibraryStore<server::StoreUnitOfWork>()) {}
    static bool givesInterface(REFIID riid) { return com::sameGuid(riid, IID_QRV_UnitOfWork); }

    HRESULT VEL_CALL Enter() override
    {
        return com::guardedCall([&] { component().enter(); });
    }
    HRESULT VEL_CALL Leave() override
    {
        component().leave();
        return S_OK;
    }
    HRESULT VEL_CALL Begin() override
    {
        return com::guardedCall([&] { component().begin(UnitOfWork::Refusal::FailsAlone); });
    }
    HRESULT VEL_CALL Commit() override
    {
        return com::guardedCall([&] { component().commit(); });
    }
    HRESULT VEL_CALL Rollback() override
    {
        component().rollback();
        return S_OK;
    }
    HRESULT VEL_CALL Note(BSTR words) override
    {
        return com::guardedCall([&] { component().note(fromBstr(words)); });
    }
    HRESULT VEL_CALL BeginWholeOrNothing() override
    {
        return com::guardedCall([&] { component().begin(UnitOfWork::Refusal::EndsUnit); });
    }
};

// The new object answers for the interface asked; when it has none the
// object goes at once.
template <class Object> HRESULT create(REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    Object *made = nullptr;
    const HRESULT answer = com::guardedCall([&] { made = new Object; });
    if (FAILED(answer))
        return answer;
    const HRESULT given = made->QueryInterface(riid, object);
    made->Release();
    return given;
}

} // namespace

HRESULT createConfigReader(REFIID riid, void **object) { return create<ConfigObject>(riid, object); }
HRESULT createNodeTypeList(REFIID riid, void **object) { return create<NodeTypesObject>(riid, object); }
HRESULT createPartitionInserter(REFIID riid, void **object) { return create<PartitionInsertObject>(riid, object); }
HRESULT createNodeMaxInserter(REFIID riid, void **object) { return create<NodeInsertObject>(riid, object); }
HRESULT createPartitionUpdater(REFIID riid, void **object) { return create<PartitionUpdateObject>(riid, object); }
HRESULT createNodeMaxUpdater(REFIID riid, void **object) { return create<NodeUpdateObject>(riid, object); }
HRESULT createMessageBox(REFIID riid, void **object) { return create<MessageBoxObject>(riid, object); }
HRESULT createNodeMaxReader(REFIID riid, void **object) { return create<NodeMaxReadObject>(riid, object); }
HRESULT createNameValidator(REFIID riid, void **object) { return create<NameCheckObject>(riid, object); }
HRESULT createUnitOfWork(REFIID riid, void **object) { return create<UnitOfWorkObject>(riid, object); }

} // namespace servercom
