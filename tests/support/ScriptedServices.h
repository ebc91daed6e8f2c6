// Scripted toolkit services for tests: every message box is recorded and
// answered from a queue; a box that nothing expected is reported through a
// callback (tests make it fail) and answered with its first button.
#pragma once

#include "ui/Services.h"

#include <QList>
#include <QString>
#include <functional>

namespace ui {

struct ShownBox
{
    QString text;
    QString title;
    Buttons buttons;
    Icon icon;
};

class ScriptedMessageBoxes : public MessageBoxes
{
public:
    Answer show(const QString &text, const QString &title, Buttons buttons, Icon icon) override;

    void expect(Answer answer) { m_answers.append(answer); }
    const QList<ShownBox> &shown() const { return m_shown; }
    int pendingAnswers() const { return int(m_answers.size()); }
    void clear();

    std::function<void(const ShownBox &)> onUnexpected;

private:
    QList<ShownBox> m_shown;
    QList<Answer> m_answers;
};

class ScriptedMousePointer : public MousePointer
{
public:
    void setScreenPointer(Pointer pointer) override { m_pointer = pointer; }
    Pointer screenPointer() const override { return m_pointer; }

private:
    Pointer m_pointer = Pointer::Default;
};

// Shows the dialog without a nested event loop, runs the script (which plays
// the user), then closes the dialog if the script left it open.
class ScriptedModalRunner : public ModalRunner
{
public:
    void runModal(QDialog &dialog) override;

    std::function<void(QDialog &)> script;
    int runs = 0;
};

} // namespace ui
