// Toolkit services for a run without a person at the screen: the dialog is
// rendered to a PNG file (or just closed) instead of waiting for a user, and
// every message box is written to standard error and answered at once.
#pragma once

#include "ui/Services.h"

#include <QString>

class ConsoleMessageBoxes : public ui::MessageBoxes
{
public:
    ui::Answer show(const QString &text, const QString &title, ui::Buttons buttons, ui::Icon icon) override;
};

class ScreenshotRunner : public ui::ModalRunner
{
public:
    explicit ScreenshotRunner(QString file) : m_file(std::move(file)) {}
    void runModal(QDialog &dialog) override;
    bool shown() const { return m_shown; }
    // Why the file could not be written (the system's reason); empty when it was.
    const QString &failure() const { return m_failure; }

private:
    QString m_file;
    bool m_shown = false;
    QString m_failure;
};
