// The form as a window on the screen: an outer height that counts the title
// bar and borders, and a first place centred on the host's window or, without
// one, on the screen. Where the platform draws no frame (offscreen, or an X
// server without a window manager) a standard caption and border stand in for
// it, so that the client area is the same as under a framed window.
#include "partition_settings/dialog/GUI.h"

#include "partition_settings/dialog/Twips.h"

#include <QApplication>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>
#include <algorithm>

namespace {

constexpr int StandardCaptionTwips = 285; // the title bar with its lower edge, 19 pixels at 96 dpi
constexpr int StandardBorderTwips = 45;   // a fixed dialog border, 3 pixels at 96 dpi

QMargins standardFrame()
{
    const int border = twips::toPixels(StandardBorderTwips);
    return {border, twips::toPixels(StandardCaptionTwips) + border, border, border};
}

bool isHostWindow(const QWidget *window, const QWidget *form)
{
    const Qt::WindowType type = window->windowType();
    return window != form && window->isVisible() && !window->isMinimized()
           && (type == Qt::Window || type == Qt::Dialog);
}

// Keeps the outer rectangle on the screen area, its top left first.
QRect keptInside(QRect outer, const QRect &area)
{
    outer.moveLeft(std::max(area.left(), std::min(outer.left(), area.right() + 1 - outer.width())));
    outer.moveTop(std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - outer.height())));
    return outer;
}

} // namespace

void GUI::setOuterHeightTwips(int height)
{
    m_outerHeightTwips = height;
    fitOuterHeight();
}

QMargins GUI::reportedFrame() const
{
    const QWindow *window = windowHandle();
    return window ? window->frameMargins() : QMargins();
}

// The frame the platform reports around the client area when it has a title
// bar (the offscreen platform reports a thin border only), else the standard one.
QMargins GUI::frameAround() const
{
    const QMargins reported = reportedFrame();
    return reported.top() > reported.bottom() ? reported : standardFrame();
}

void GUI::fitOuterHeight()
{
    m_frameUsed = frameAround();
    if (m_outerHeightTwips <= 0)
        return;
    twips::setHeight(this, m_outerHeightTwips - twips::fromPixels(m_frameUsed.top() + m_frameUsed.bottom()));
}

// The host's window: the active one, else any other window on the screen.
const QWidget *GUI::hostWindow() const
{
    const QWidget *active = QApplication::activeWindow();
    if (active && isHostWindow(active, this))
        return active;
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    const auto found = std::find_if(windows.begin(), windows.end(), [this](QWidget *w) { return isHostWindow(w, this); });
    return found == windows.end() ? nullptr : *found;
}

void GUI::placeCentred()
{
    const QWidget *host = hostWindow();
    const QScreen *screen = host ? host->screen() : this->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    QRect outer(QPoint(), size().grownBy(m_frameUsed));
    outer.moveCenter(host ? host->frameGeometry().center() : area.center());
    if (area.isValid())
        outer = keptInside(outer, area);
    // The toolkit places a window by the frame the platform reports.
    const QMargins reported = reportedFrame();
    move(outer.topLeft() + QPoint(m_frameUsed.left() - reported.left(), m_frameUsed.top() - reported.top()));
}

void GUI::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        fitOuterHeight();
        placeCentred();
    }
    QDialog::showEvent(event);
}

// A window manager frames the window only after it is shown, before it
// activates it: then the height and the place follow the frame it reports.
void GUI::followNewFrame()
{
    if (!isVisible() || frameAround() == m_frameUsed)
        return;
    fitOuterHeight();
    placeCentred();
}
