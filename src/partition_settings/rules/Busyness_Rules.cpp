// Busyness_Rules: creation and release of the object and its outside
// components, and the entry Shown that runs the dialog for one configuration.
#include "partition_settings/rules/Busyness_Rules.h"

#include "components/ServerComponents.h"
#include "core/Numbers.h"
#include "partition_settings/dialog/GUI.h"
#include "partition_settings/dialog/Twips.h"
#include "ui/Services.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kShown = QStringLiteral("Shown");

// Creates a server component by ProgID, bound to the interface it must have.
template <typename Interface> std::unique_ptr<Interface> createServer(const ComponentFactory &factory)
{
    return factory.createByProgId<Interface>(QString::fromLatin1(Interface::ProgID));
}

} // namespace

Busyness_Rules::Busyness_Rules(const ComponentFactory &factory) : m_factory(factory) { Class_Initialize(factory); }

void Busyness_Rules::Class_Initialize(const ComponentFactory &factory)
{
    try {
        m_NodeTypeNames = std::make_unique<KeyedCollection>();
        m_unitOfWork = factory.createUnitOfWork(); // none: each write is durable on its own
        m_MessageBox = createServer<VEL_MsgBox::Busyness_Rules>(factory);
        m_UDCONFIG = createServer<QRVud::UDCONFIG>(factory);
        m_UDNODES = createServer<QRVud::UDNODES>(factory);
        m_INSCONFIG = createServer<QRVins::INSCONFIG>(factory);
        m_INSNODES = createServer<QRVins::INSNODES>(factory);
        m_SR = createServer<QRVdb::SR>(factory);
        m_CONFIG = createServer<QRVdb::CONFIG>(factory);
        m_ScratchRS = std::make_unique<RecordSet>();
    } catch (...) {
        const rt::RuntimeError error = rt::currentError();
        Record_Error(error.source(), QStringLiteral("Class_Initialize"), error.number(), error.description(),
                     ModuleBusinessRules);
    }
}

Busyness_Rules::~Busyness_Rules()
{
    // A form this object loaded outside a showing refers to it: it goes too.
    if (m_hiddenForm && m_hiddenForm == GUI::instance())
        GUI::unload();
    if (!m_NodeTypeNames.isEmpty()) {
        while (m_NodeTypeNames->Count() >= 1)
            m_NodeTypeNames->Remove(1);
    }
    m_NodeTypeNames.reset();
    m_MessageBox.reset();
    m_ScratchRS.reset();
    m_UDCONFIG.reset();
    m_UDNODES.reset();
    m_SR.reset();
    m_CONFIG.reset();
    m_INSCONFIG.reset();
    m_INSNODES.reset();
    m_unitOfWork.reset();
}

GUI &Busyness_Rules::dialog() const
{
    if (GUI *form = GUI::instance())
        return *form;
    throw rt::RuntimeError::standard(rt::ObjectNotSet);
}

GUI &Busyness_Rules::defaultInstance()
{
    if (GUI *form = GUI::instance())
        return *form;
    GUI &form = GUI::load();
    form.Busyness_Rules(this);
    m_hiddenForm = &form;
    return form;
}

void Busyness_Rules::clearErrorInfo()
{
    m_ErrLocation.clear();
    m_ErrDescription.clear();
    m_ErrCode = 0;
}

Variant Busyness_Rules::Shown(qint16 Config_ID, qint16 Partition_ID, const QString &MenuOption, qint16 Language_ID,
                              bool Silent_Error, bool PartitionEnabled)
{
    Variant result;
    clearErrorInfo();
    const InSession session(*this);
    try {
        GUI &form = GUI::load();
        form.Busyness_Rules(this);
        form.Set_MousePointer(true);
        storeArguments(Config_ID, Partition_ID, MenuOption, Language_ID, Silent_Error);

        Obtain_All_Node_Type_Name(m_LanguageNumber);
        if (m_ErrDescription.isEmpty()) // a recorded error shows nothing
            prepareAndShow(form, PartitionEnabled);
        form.Set_MousePointer(false);
        result = Variant::boolean(m_ErrDescription.isEmpty());
    } catch (...) {
        const rt::RuntimeError error = rt::currentError();
        Record_Error(error.source(), kShown, error.number(), error.description(), ModuleBusinessRules);
        result = Variant::boolean(false);
    }
    GUI::unload();
    return result;
}

// Keeps the arguments of Shown. The language offset is computed as the
// component always did, in 16-bit arithmetic, which limits Language_ID to
// -323..325; the offset itself selects nothing (the captions are English).
void Busyness_Rules::storeArguments(qint16 Config_ID, qint16 Partition_ID, const QString &MenuOption,
                                    qint16 Language_ID, bool Silent_Error)
{
    m_Config_ID = Config_ID;
    m_Partition_ID = Partition_ID;
    m_LanguageNumber = Language_ID;
    m_Silent_Error = Silent_Error;
    m_FirstLoad = true;
    m_MenuOption = MenuOption;
    // The partition count belongs to the list of this showing (a no-access
    // showing builds none); a count left from an earlier one would send
    // Get_Data past the end of an empty list.
    m_MaxPartition = 0;
    (void)rt::multiplyInteger(rt::subtractInteger(Language_ID, 1), 101);
}

// Fills the dialog, creates the partition when it is missing, applies the
// access mode, loads the partition and shows the dialog until it is closed;
// a recorded error on the way leaves the dialog unshown.
void Busyness_Rules::prepareAndShow(GUI &form, bool PartitionEnabled)
{
    applyCaptions(form, PartitionEnabled);
    if (!m_ErrDescription.isEmpty())
        return;
    form.Load_Combo_Lists();
    if (!m_ErrDescription.isEmpty())
        return;
    createMissingPartition(form);
    if (!m_ErrDescription.isEmpty())
        return;
    Security();
    Initial();
    if (Get_Data())
        showLoadedDialog(form);
}

void Busyness_Rules::applyCaptions(GUI &form, bool PartitionEnabled)
{
    form.Load_Language_Dependant_Parts();
    form.cmdApply->setEnabled(false);
    if (!PartitionEnabled) {
        form.cmdViewPartitionDefault->setVisible(false);
        form.setOuterHeightTwips(twips::top(form.cmdOK) + twips::height(form.cmdOK) + 500);
    }
}

// A partition without settings is created from the default partition's
// settings and node maxima before the dialog opens. A read that failed
// (recorded by PartitionExists) never leads to a write: the showing stops.
void Busyness_Rules::createMissingPartition(GUI &form)
{
    if (PartitionExists() || !m_ErrDescription.isEmpty())
        return;
    form.txtPartitionNumber->setText(QString::number(m_Partition_ID));
    Get_Partition_Settings(m_Config_ID, 0, true);
    Get_Node_Type_Max(m_Config_ID, 0);
    Insert_Partition();
}

void Busyness_Rules::showLoadedDialog(GUI &form)
{
    form.Set_MousePointer(false);
    form.cmdApply->setEnabled(false);
    form.setButtonsFromListPosition(GUI::DefaultsButton::Keep);
    ui::modalRunner().runModal(form);
}
