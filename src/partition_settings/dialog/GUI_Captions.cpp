// The captions and fixed list items of the dialog, read from the string table
// in the dialog's language. A missing or empty string ends the procedure at
// that step: the controls keep what they had (the "F:" design captions) and
// the lists stay shorter.
#include "partition_settings/dialog/GUI.h"

#include "core/Modules.h"
#include "core/Numbers.h"
#include "core/RuntimeError.h"
#include "partition_settings/dialog/ListControls.h"
#include "partition_settings/dialog/Twips.h"
#include "resources/StringTable.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <optional>

QString GUI::Get_Res_String(qint32 Id)
{
    std::optional<QString> text;
    try {
        text = resources::strings().load(rt::checkedLong(qint64(LanguageOffset) + Id));
    } catch (...) {
        text.reset();
    }
    if (text)
        return *text;
    Show_Resource_Failure();
    return QString();
}

bool GUI::fetch(qint32 Id, QString &text)
{
    text = Get_Res_String(Id);
    return !text.isEmpty();
}

void GUI::Load_Language_Dependant_Parts()
{
    try {
        applyCaptions();
    } catch (...) {
        Show_Internal_Error(34, rt::currentError().locatedIn(QStringLiteral("Load_Language_Dependant_Parts")));
    }
}

// Strings 31 to 33 and 68 to 76 (captions of buttons the dialog no longer
// has) must still be there, though nothing shows them.
bool GUI::applyCaptions()
{
    QString text;
    if (!fetch(1, text))
        return false;
    setWindowTitle(text);
    if (!fetch(30, text))
        return false;
    lblPartitionNo->setText(text);
    for (qint32 id : {31, 32, 33, 26})
        if (!fetch(id, text))
            return false;
    lblPartitionName->setText(text);
    if (!applyLabelCaptions() || !moveDefaultsButton())
        return false;
    for (qint32 id : {68, 69, 70, 74, 75, 76, 27})
        if (!fetch(id, text))
            return false;
    lblAccessDenied->setText(text);
    return true;
}

bool GUI::applyLabelCaptions()
{
    const std::pair<qint32, QLabel *> labels[] = {{25, lblAccessCode},    {4, lblREMLanguage},     {7, lblTotalRecTime},
                                                  {10, lblNoMSGRecorded}, {13, lblSelectionLimit}, {16, lblTimeLimit},
                                                  {19, lblCommand}};
    QString text;
    for (const auto &[id, label] : labels) {
        if (!fetch(id, text))
            return false;
        label->setText(text);
    }
    if (!fetch(22, text))
        return false;
    frmMaxNoOfNode->setTitle(text);
    if (!fetch(65, text))
        return false;
    cmdViewPartitionDefault->setText(text);
    return true;
}

// Left and width of the Defaults button from strings 66 and 67; its top and
// height stay.
bool GUI::moveDefaultsButton()
{
    QString left;
    QString width;
    if (!fetch(66, left) || !fetch(67, width))
        return false;
    const qint16 newLeft = rt::textToInteger(left);
    const qint16 newWidth = rt::textToInteger(width);
    twips::setLeft(cmdViewPartitionDefault, newLeft);
    twips::setWidth(cmdViewPartitionDefault, newWidth);
    return true;
}

// Errors are recorded under the name "Set_MousePointer", as the system does.
void GUI::Load_Combo_Lists()
{
    try {
        fillComboLists();
    } catch (...) {
        recordError(rt::currentError(), QStringLiteral("Set_MousePointer"), rt::ModuleBusinessRules);
    }
}

bool GUI::fillComboLists()
{
    if (!appendItems(cboRemoteLanguage, {79, 80, 81, 82, 87}) || !appendItems(cboCommand, {77, 78}))
        return false;
    QString play;
    if (!fetch(78, play))
        return false;
    strPLAY = play;
    if (!appendItems(cboNoMSGRecorded, {83, 84, 78}))
        return false;
    for (int limit = 0; limit <= 25; ++limit)
        listControls::appendItem(cboSelectionLimit, QString::number(limit));
    return true;
}

bool GUI::appendItems(QComboBox *list, std::initializer_list<qint32> ids)
{
    QString text;
    for (qint32 id : ids) {
        if (!fetch(id, text))
            return false;
        listControls::appendItem(list, text);
    }
    return true;
}
