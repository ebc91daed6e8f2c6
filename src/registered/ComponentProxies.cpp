// One proxy per component contract, and the table that names them.
#include "registered/ComponentProxies.h"

#include "comkit/ComStrings.h"
#include "comkit/ErrorObject.h"
#include "components/ComponentFactory.h"
#include "components/ServerComponents.h"
#include "components/SingleUseComponents.h"
#include "components/UnitOfWork.h"
#include "registered/RegisteredServers.h"
#include "servercom/QRV_SERVER.h"

#include <array>
#include <functional>

namespace registered {
namespace {

// One interface pointer, released with the proxy, and the name its errors
// carry when the server gives no source.
template <class Interface> class Remote
{
public:
    Remote(void *object, QString name) : m_object(static_cast<Interface *>(object)), m_name(std::move(name)) {}
    ~Remote() { m_object->Release(); }
    Remote(const Remote &) = delete;
    Remote &operator=(const Remote &) = delete;

    Interface *operator->() const { return m_object; }
    void check(HRESULT answer) const { com::check(answer, m_name); }

private:
    Interface *m_object;
    QString m_name;
};

// A text argument, freed after the call.
class Text
{
public:
    explicit Text(const QString &text) : m_text(com::toBstr(text)) {}
    ~Text() { SysFreeString(m_text); }
    Text(const Text &) = delete;
    Text &operator=(const Text &) = delete;
    operator BSTR() const { return m_text; }

private:
    BSTR m_text;
};

// A text answer, taken over from the callee.
class Answer
{
public:
    Answer() = default;
    ~Answer() { SysFreeString(m_text); }
    Answer(const Answer &) = delete;
    Answer &operator=(const Answer &) = delete;
    BSTR *out() { return &m_text; }
    QString text() const { return com::fromBstr(m_text); }

private:
    BSTR m_text = nullptr;
};

// A partition's thirteen texts or a node maximum's four, as a call's arguments.
template <typename Call> void withRecord(const PartitionRecord &p, Call call)
{
    call(Text(p.Config_ID), Text(p.PartitionID), Text(p.Name), Text(p.PartitionAccessCode), Text(p.REMLanguage),
         Text(p.SelectLimit), Text(p.TimeLimit), Text(p.Command), Text(p.NoMSGRecorded), Text(p.TotalRecTime),
         Text(p.TotalTimeOfMessagesRecorded), Text(p.TimeLeft), Text(p.MSGNo));
}
template <typename Call> void withRow(const NodeTypeMaxRow &row, Call call)
{
    call(Text(row.Config_ID), Text(row.PartitionID), Text(row.NodeType_ID), Text(row.Max_Number));
}

class ConfigProxy final : public QRVdb::CONFIG
{
public:
    ConfigProxy(void *object, const QString &name) : m_remote(object, name) {}
    QString Get_Partition_Settings_XML(const QString &configId, const QString &partition) override
    {
        Answer answer;
        m_remote.check(m_remote->Get_Partition_Settings_XML(Text(configId), Text(partition), answer.out()));
        return answer.text();
    }
    QString Get_Configuration_XML() override
    {
        Answer answer;
        m_remote.check(m_remote->Get_Configuration_XML(answer.out()));
        return answer.text();
    }
    QString Get_Partitions_XML(const QString &configId) override
    {
        Answer answer;
        m_remote.check(m_remote->Get_Partitions_XML(Text(configId), answer.out()));
        return answer.text();
    }

private:
    Remote<QRVdb_CONFIG> m_remote;
};

class NodeTypesProxy final : public QRVdb::SR
{
public:
    NodeTypesProxy(void *object, const QString &name) : m_remote(object, name) {}
    QString Get_Node_Types_XML() override
    {
        Answer answer;
        m_remote.check(m_remote->Get_Node_Types_XML(answer.out()));
        return answer.text();
    }

private:
    Remote<QRVdb_SR> m_remote;
};

class PartitionInsertProxy final : public QRVins::INSCONFIG
{
public:
    PartitionInsertProxy(void *object, const QString &name) : m_remote(object, name) {}
    void Insert_Partition_Record(const PartitionRecord &partition) override
    {
        withRecord(partition, [&](const auto &...texts) { m_remote.check(m_remote->Insert_Partition_Record(texts...)); });
    }

private:
    Remote<QRVins_INSCONFIG> m_remote;
};

class NodeInsertProxy final : public QRVins::INSNODES
{
public:
    NodeInsertProxy(void *object, const QString &name) : m_remote(object, name) {}
    void Insert_Node_Type_Max_Record(const NodeTypeMaxRow &row) override
    {
        withRow(row, [&](const auto &...texts) { m_remote.check(m_remote->Insert_Node_Type_Max_Record(texts...)); });
    }

private:
    Remote<QRVins_INSNODES> m_remote;
};

class PartitionUpdateProxy final : public QRVud::UDCONFIG
{
public:
    PartitionUpdateProxy(void *object, const QString &name) : m_remote(object, name) {}
    void Update_Partition_Record(const PartitionRecord &partition) override
    {
        withRecord(partition, [&](const auto &...texts) { m_remote.check(m_remote->Update_Partition_Record(texts...)); });
    }
    void Select_Partition(const QString &partition) override
    {
        m_remote.check(m_remote->Select_Partition(Text(partition)));
    }

private:
    Remote<QRVud_UDCONFIG> m_remote;
};

class NodeUpdateProxy final : public QRVud::UDNODES
{
public:
    NodeUpdateProxy(void *object, const QString &name) : m_remote(object, name) {}
    void Update_Node_Type_Max_Record(const NodeTypeMaxRow &row) override
    {
        withRow(row, [&](const auto &...texts) { m_remote.check(m_remote->Update_Node_Type_Max_Record(texts...)); });
    }

private:
    Remote<QRVud_UDNODES> m_remote;
};

class MessageBoxProxy final : public VEL_MsgBox::Busyness_Rules
{
public:
    MessageBoxProxy(void *object, const QString &name) : m_remote(object, name) {}
    qint32 Show_Error_Message(qint32 kind, const QString &message, qint32 buttons, qint32 icon,
                              const QString &title) override
    {
        LONG answer = 0;
        m_remote.check(m_remote->Show_Error_Message(kind, Text(message), buttons, icon, Text(title), &answer));
        return answer;
    }

private:
    Remote<VEL_MsgBox_Busyness_Rules> m_remote;
};

class NodeMaxReadProxy final : public NodeTypeMaxReader
{
public:
    NodeMaxReadProxy(void *object, const QString &name) : m_remote(object, name) {}
    QString Get_Node_Type_Max_XML(const QString &configId, const QString &partition) override
    {
        Answer answer;
        m_remote.check(m_remote->Get_Node_Type_Max_XML(Text(configId), Text(partition), answer.out()));
        return answer.text();
    }

private:
    Remote<QRV_NodeTypeMaxReader> m_remote;
};

class NameCheckProxy final : public NameValidator
{
public:
    NameCheckProxy(void *object, const QString &name) : m_remote(object, name) {}
    bool CheckName(const QString &name) override
    {
        VARIANT_BOOL answer = VARIANT_FALSE;
        m_remote.check(m_remote->CheckName(Text(name), &answer));
        return answer != VARIANT_FALSE;
    }
    QString ConvertName(const QString &name) override
    {
        Answer answer;
        m_remote.check(m_remote->ConvertName(Text(name), answer.out()));
        return answer.text();
    }

private:
    Remote<QRV_NameValidator> m_remote;
};

class UnitOfWorkProxy final : public UnitOfWork
{
public:
    UnitOfWorkProxy(void *object, const QString &name) : m_remote(object, name) {}
    void enter() override { m_remote.check(m_remote->Enter()); }
    void leave() noexcept override { m_remote->Leave(); }
    void begin(Refusal refusal) override
    {
        m_remote.check(refusal == Refusal::EndsUnit ? m_remote->BeginWholeOrNothing() : m_remote->Begin());
    }
    void commit() override { m_remote.check(m_remote->Commit()); }
    void rollback() noexcept override { m_remote->Rollback(); }
    void note(const QString &words) override { m_remote.check(m_remote->Note(Text(words))); }

private:
    Remote<QRV_UnitOfWork> m_remote;
};

struct KnownComponent
{
    QString name; // a ProgID, or a class id in braces
    const GUID &interfaceId;
    std::function<std::unique_ptr<Component>(void *object, const QString &name)> proxy;
};

template <class Proxy> std::unique_ptr<Component> makeProxy(void *object, const QString &name)
{
    return std::make_unique<Proxy>(object, name);
}

const std::array<KnownComponent, 10> &knownComponents()
{
    static const std::array<KnownComponent, 10> known{{
        {QString::fromLatin1(QRVdb::CONFIG::ProgID), IID_QRVdb_CONFIG, makeProxy<ConfigProxy>},
        {QString::fromLatin1(QRVdb::SR::ProgID), IID_QRVdb_SR, makeProxy<NodeTypesProxy>},
        {QString::fromLatin1(QRVins::INSCONFIG::ProgID), IID_QRVins_INSCONFIG, makeProxy<PartitionInsertProxy>},
        {QString::fromLatin1(QRVins::INSNODES::ProgID), IID_QRVins_INSNODES, makeProxy<NodeInsertProxy>},
        {QString::fromLatin1(QRVud::UDCONFIG::ProgID), IID_QRVud_UDCONFIG, makeProxy<PartitionUpdateProxy>},
        {QString::fromLatin1(QRVud::UDNODES::ProgID), IID_QRVud_UDNODES, makeProxy<NodeUpdateProxy>},
        {QString::fromLatin1(VEL_MsgBox::Busyness_Rules::ProgID), IID_VEL_MsgBox_Busyness_Rules,
         makeProxy<MessageBoxProxy>},
        {NodeTypeMaxReader::classId().toString(), IID_QRV_NodeTypeMaxReader, makeProxy<NodeMaxReadProxy>},
        {NameValidator::classId().toString(), IID_QRV_NameValidator, makeProxy<NameCheckProxy>},
        {QString::fromLatin1(ComponentFactory::UnitOfWorkProgID), IID_QRV_UnitOfWork, makeProxy<UnitOfWorkProxy>},
    }};
    return known;
}

} // namespace

std::unique_ptr<Component> createProxy(const QString &name)
{
    for (const KnownComponent &each : knownComponents()) {
        if (each.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const std::optional<QUuid> classId = name.startsWith(QLatin1Char('{')) ? QUuid(name) : classOfProgId(name);
        void *object = classId ? createRegistered(*classId, each.interfaceId, name) : nullptr;
        return object ? each.proxy(object, name) : nullptr;
    }
    return nullptr;
}

} // namespace registered
