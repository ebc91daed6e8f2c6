// Runs a dialog modally and returns when it has been closed. Production runs
// the dialog's own event loop; tests and the screenshot mode drive it.
#pragma once

class QDialog;

namespace ui {

class ModalRunner
{
public:
    virtual ~ModalRunner() = default;
    virtual void runModal(QDialog &dialog) = 0;
};

} // namespace ui
