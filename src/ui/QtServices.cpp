// Production toolkit services on Qt Widgets.
#include "ui/QtServices.h"

#include "ui/DialogMessageBox.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>

namespace ui {
namespace {

QMessageBox::StandardButtons standardButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::OK: return QMessageBox::Ok;
    case Buttons::OKCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(Icon icon)
{
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

Answer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return Answer::OK;
    }
}

} // namespace

Answer QtMessageBoxes::show(const QString &text, const QString &title, Buttons buttons, Icon icon)
{
    const QString caption = title.isNull() ? QCoreApplication::applicationName() : title;
    DialogMessageBox box(standardIcon(icon), caption, text, standardButtons(buttons));
    return answerOf(box.exec());
}

void QtMousePointer::setScreenPointer(Pointer pointer)
{
    if (pointer == m_pointer)
        return;
    if (pointer == Pointer::Hourglass)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
    m_pointer = pointer;
}

void QtModalRunner::runModal(QDialog &dialog) { dialog.exec(); }

} // namespace ui
