// Scripted toolkit services for tests.
#include "ScriptedServices.h"

#include <QCoreApplication>
#include <QDialog>

namespace ui {

Answer ScriptedMessageBoxes::show(const QString &text, const QString &title, Buttons buttons, Icon icon)
{
    const ShownBox box{text, title, buttons, icon};
    m_shown.append(box);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    if (onUnexpected)
        onUnexpected(box);
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::OK;
}

void ScriptedMessageBoxes::clear()
{
    m_shown.clear();
    m_answers.clear();
}

void ScriptedModalRunner::runModal(QDialog &dialog)
{
    ++runs;
    dialog.setModal(true);
    dialog.show();
    QCoreApplication::processEvents();
    if (script)
        script(dialog);
    if (dialog.isVisible())
        dialog.close();
}

} // namespace ui
