// The two paths a trapped error takes. The recording path (Record_Error)
// stores it in ErrorInfo, appends it to the user log and shows it unless the
// host asked for silence; the message path (Show_Resource_Error) only shows
// a critical box made of the error and a resource text.
#include "partition_settings/rules/Busyness_Rules.h"

#include "components/AnswerColumns.h"
#include "core/Numbers.h"
#include "platform/QRVCOMPlusFilesAndFolders.h"
#include "rowset/Rowset.h"
#include "partition_settings/dialog/GUI.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"
#include "ui/Services.h"

#include <QDateTime>
#include <QStringList>

namespace {

const QString kInternalError = QStringLiteral("Internal Error");
const QString kMessageTitle = QStringLiteral("Error in Business Rules");

QString moduleName(qint16 module)
{
    switch (module) {
    case Busyness_Rules::ModuleBusinessRules: return QStringLiteral("Business_Rules");
    case Busyness_Rules::ModuleGUI: return QStringLiteral("GUI");
    default: return {};
    }
}

} // namespace

void Busyness_Rules::Record_Error(const QString &source, const QString &procedure, qint32 number,
                                  const QString &description, qint16 module)
{
    try {
        if (GUI *form = GUI::instance())
            form->Set_MousePointer(false, true);
        else
            ui::mousePointer().setScreenPointer(ui::Pointer::Default);
        const QString name = moduleName(module);
        const QString prefix =
            name.isEmpty() ? source : QStringLiteral("[") + source + QStringLiteral("][") + name + QStringLiteral("]");
        m_ErrCode = number;
        m_ErrDescription = description;
        m_ErrLocation = prefix + procedure;
        Report_Error();
    } catch (...) {
        Show_Resource_Failure();
    }
}

void Busyness_Rules::Report_Error()
{
    try {
        Write_User_Log();
        if (m_Silent_Error)
            return;
        const QString message = QStringLiteral("Location:     ") + m_ErrLocation + QStringLiteral("\r\n")
                                + QStringLiteral("Code:          ") + QString::number(m_ErrCode)
                                + QStringLiteral("\r\n") + QStringLiteral("Description: ") + m_ErrDescription;
        if (!m_MessageBox.isEmpty())
            m_MessageBox->Show_Error_Message(1, message, 3, 1, kInternalError);
        else
            ui::messageBoxes().show(message, kInternalError, ui::Buttons::OK, ui::Icon::Critical);
    } catch (...) {
        // Reporting must never fail its caller: the message is lost.
    }
}

// One tab-separated line per recorded error. The three integers identify the
// installation the configuration server serves. Any failure costs the line.
void Busyness_Rules::Write_User_Log()
{
    try {
        const QString file = QRVCOMPlusFilesAndFolders::userLogPath();
        m_ScratchRS = std::make_unique<RecordSet>(XMLTextToRS(m_CONFIG->Get_Configuration_XML()));
        qint32 a = 0;
        qint32 b = 0;
        qint32 c = 0;
        if (m_ScratchRS->RecordCount() > 0) {
            a = rt::toLong(m_ScratchRS->Fields(columns::configuration::Config_ID.position));
            b = rt::toLong(m_ScratchRS->Fields(columns::configuration::System_ID.position));
            c = rt::toLong(m_ScratchRS->Fields(columns::configuration::Site_ID.position));
        }
        m_ScratchRS->Close();
        const QStringList fields{kInternalError,     QDateTime::currentDateTime().toString(),
                                 QString::number(a), QString::number(b),
                                 QString::number(c), QString::number(m_ErrCode),
                                 m_ErrDescription,   m_ErrLocation};
        platform::appendLine(file, fields.join(QLatin1Char('\t')));
    } catch (...) {
        // The log line is lost; reporting goes on.
    }
}

void Busyness_Rules::Show_Resource_Error(qint16 resourceNumber, const QString &text)
{
    ui::mousePointer().setScreenPointer(ui::Pointer::Default);
    QString resourceText;
    if (resourceNumber != 0) {
        const std::optional<QString> loaded = resources::strings().load(resourceNumber);
        if (!loaded) {
            Show_Resource_Failure();
            return;
        }
        resourceText = *loaded;
    }
    ui::messageBoxes().show(text + QStringLiteral("\r\n") + resourceText, kMessageTitle, ui::Buttons::OK,
                            ui::Icon::Critical);
}

void Busyness_Rules::Show_Resource_Failure()
{
    ui::messageBoxes().show(QStringLiteral("Resource file failed."), kMessageTitle, ui::Buttons::OK,
                            ui::Icon::Critical);
}

void Busyness_Rules::showLoaderFailure(const QString &procedure)
{
    Show_Resource_Error(36, rt::currentError().locatedIn(procedure));
}

void Busyness_Rules::showOperationFailure(const QString &procedure)
{
    const rt::RuntimeError error = rt::currentError();
    Show_Resource_Error(1,
                        error.source() + QStringLiteral(":") + procedure + QStringLiteral(":") + error.description());
}
