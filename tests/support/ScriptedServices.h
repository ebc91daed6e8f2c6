// Scripted toolkit services for tests: every message box is recorded and
// answered from a queue; a box that nothing expected fails the running test
// (when a test runs) and is answered with its first button. ScriptedUi
// installs them for its lifetime.
#pragma once

#include "ui/Services.h"

#include <QCoreApplication>
#include <QDialog>
#include <functional>

namespace ui {

struct ShownBox
{
    QString text;
    QString title;
    Buttons buttons;
    Icon icon;
};

struct ScriptedMessageBoxes : MessageBoxes
{
    Answer show(const QString &text, const QString &title, Buttons buttons, Icon icon) override;

    void expect(Answer answer) { m_answers.append(answer); }
    const QList<ShownBox> &shown() const { return m_shown; }

    QList<ShownBox> m_shown;
    QList<Answer> m_answers;
};

struct ScriptedMousePointer : MousePointer
{
    void setScreenPointer(Pointer pointer) override { m_pointer = pointer; }
    Pointer screenPointer() const override { return m_pointer; }
    Pointer m_pointer = Pointer::Default;
};

// Shows the dialog without a nested event loop, runs the script (which plays
// the user), then closes the dialog if the script left it open.
struct ScriptedModalRunner : ModalRunner
{
    void runModal(QDialog &dialog) override
    {
        dialog.setModal(true);
        dialog.show();
        QCoreApplication::processEvents();
        if (script)
            script(dialog);
        if (dialog.isVisible())
            dialog.close();
    }

    std::function<void(QDialog &)> script;
};

} // namespace ui

namespace testing {

// Installs scripted message boxes, pointer and modal runner for its lifetime.
struct ScriptedUi
{
    ui::ScriptedMessageBoxes boxes;
    ui::ScriptedMousePointer pointer;
    ui::ScriptedModalRunner runner;
    ui::ScopedServices scope{{&boxes, &pointer, &runner}};
};

} // namespace testing
