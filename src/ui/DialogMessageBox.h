// The message box the production service shows: a QMessageBox that belongs to
// the window that caused it (the modal dialog in front, else the active
// window), so that it opens centred over that window, and that only a button
// can answer when it offers Yes and No without Cancel. Qt would take No as the
// escape button of such a box; here Escape does nothing and the title bar has
// no close button, so that the user must choose. A box with Cancel keeps
// Escape and the close button as Cancel.
#pragma once

#include <QMessageBox>

namespace ui {

class DialogMessageBox : public QMessageBox
{
public:
    DialogMessageBox(Icon icon, const QString &title, const QString &text, StandardButtons buttons);

    // The window a box shown now belongs to, or null (centred on the screen).
    static QWidget *owner();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool mustChoose() const;
};

} // namespace ui
