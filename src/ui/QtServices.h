// The production services on Qt: message boxes over the dialog that caused
// them (DialogMessageBox), the application's override cursor and
// QDialog::exec.
#pragma once

#include "ui/Services.h"

namespace ui {

class QtMessageBoxes : public MessageBoxes
{
public:
    Answer show(const QString &text, const QString &title, Buttons buttons, Icon icon) override;
};

class QtMousePointer : public MousePointer
{
public:
    void setScreenPointer(Pointer pointer) override;
    Pointer screenPointer() const override { return m_pointer; }

private:
    Pointer m_pointer = Pointer::Default;
};

class QtModalRunner : public ModalRunner
{
public:
    void runModal(QDialog &dialog) override;
};

} // namespace ui
