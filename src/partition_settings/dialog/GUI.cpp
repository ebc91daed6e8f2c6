// The form's single instance, its bridge properties and the recording path
// of their errors. Each bridge property only reads or writes its own field;
// a run-time error in one is recorded through the rules object under the
// property's own name, module GUI.
#include "partition_settings/dialog/GUI.h"

#include "core/RuntimeError.h"
#include "partition_settings/rules/Busyness_Rules.h"

#include <type_traits>

namespace {

GUI *theInstance = nullptr;

} // namespace

GUI &GUI::load()
{
    if (!theInstance)
        theInstance = new GUI;
    return *theInstance;
}

GUI *GUI::instance() { return theInstance; }

void GUI::unload()
{
    GUI *form = theInstance;
    theInstance = nullptr;
    delete form;
}

GUI::GUI() : QDialog(nullptr)
{
    setUpForm();
    createControls();
    connectListHandlers();
    connectButtonHandlers();
    connectNavigationHandlers();
    connectNodeGridHandlers();
    connectFieldHandlers();
    guardListsFromStrayWheel();
}

GUI::~GUI()
{
    if (theInstance == this)
        theInstance = nullptr;
}

void GUI::recordError(const rt::RuntimeError &error, const QString &procedure, qint16 module)
{
    if (m_rules)
        m_rules->Record_Error(error.source(), procedure, error.number(), error.description(), module);
}

// Runs a bridge property's body; a run-time error is recorded under the
// property's name and the property gives its type's empty value.
template <typename Body> auto GUI::bridge(const char *procedure, Body body) -> decltype(body())
{
    using Result = decltype(body());
    try {
        return body();
    } catch (...) {
        recordError(rt::currentError(), QString::fromLatin1(procedure), ::Busyness_Rules::ModuleGUI);
    }
    if constexpr (!std::is_void_v<Result>)
        return Result{};
}

void GUI::Busyness_Rules(::Busyness_Rules *rules)
{
    bridge("Set_Busyness_Rules", [&] { m_rules = rules; });
}

QString GUI::Get_strPLAY()
{
    return bridge("Get_strPLAY", [&] { return strPLAY; });
}

QString GUI::Get_strMSG()
{
    return bridge("Get_strMSG", [&] { return strMSG; });
}

QString GUI::Get_strMSGNo()
{
    return bridge("Get_strMSGNo", [&] { return strMSGNo; });
}

qint16 GUI::Get_iMaxMSG()
{
    return bridge("Get_iMaxMSG", [&] { return iMaxMSG; });
}

void GUI::Let_strMSGNo(const QString &Given_strMSGNo)
{
    bridge("Let_strMSGNo", [&] { strMSGNo = Given_strMSGNo; });
}

void GUI::Let_iMaxMSG(qint16 Given_iMaxMSG)
{
    bridge("Let_iMaxMSG", [&] { iMaxMSG = Given_iMaxMSG; });
}

void GUI::Let_strMSG(const QString &Given_strMSG)
{
    bridge("Let_strMSG", [&] { strMSG = Given_strMSG; });
}
