// Scripted toolkit services for tests.
#include "ScriptedServices.h"

#include <QTest>

namespace ui {

Answer ScriptedMessageBoxes::show(const QString &text, const QString &title, Buttons buttons, Icon icon)
{
    m_shown.append({text, title, buttons, icon});
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    if (QTest::currentTestFunction())
        QTest::qFail(qPrintable(QStringLiteral("unexpected message box: title \"%1\", text \"%2\"").arg(title, text)),
                     __FILE__, __LINE__);
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::OK;
}

} // namespace ui
