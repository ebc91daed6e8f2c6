// A message box over the window that caused it; Yes/No boxes answer only to
// their buttons.
#include "ui/DialogMessageBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

namespace ui {

DialogMessageBox::DialogMessageBox(Icon icon, const QString &title, const QString &text, StandardButtons buttons)
    : QMessageBox(icon, title, text, buttons, owner())
{
    if (mustChoose())
        setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) & ~Qt::WindowCloseButtonHint);
}

QWidget *DialogMessageBox::owner()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

bool DialogMessageBox::mustChoose() const
{
    const StandardButtons buttons = standardButtons();
    return buttons.testFlag(Yes) && buttons.testFlag(No) && !buttons.testFlag(Cancel);
}

void DialogMessageBox::keyPressEvent(QKeyEvent *event)
{
    if (mustChoose() && event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

// A window manager's close (its button, Alt+F4) leaves a Yes/No box open.
void DialogMessageBox::closeEvent(QCloseEvent *event)
{
    if (mustChoose()) {
        event->ignore();
        return;
    }
    QMessageBox::closeEvent(event);
}

} // namespace ui
