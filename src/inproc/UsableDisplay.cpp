// The display check before the library makes a QApplication: the
// environment, and for X11 a connection to the server through libxcb, loaded
// at run time (Qt's own X11 plugin needs it; where it is missing, so is that
// plugin).
#include "inproc/UsableDisplay.h"

#include <QLibrary>
#include <QtGlobal>

namespace inproc {
namespace {

#if !defined(Q_OS_WIN) && !defined(Q_OS_DARWIN)
struct XcbConnection;

// True when the X server that DISPLAY names accepts a connection.
bool xServerAnswers()
{
    QLibrary xcb(QStringLiteral("xcb"), 1);
    using Connect = XcbConnection *(*)(const char *, int *);
    using HasError = int (*)(XcbConnection *);
    using Disconnect = void (*)(XcbConnection *);
    const auto connect = reinterpret_cast<Connect>(xcb.resolve("xcb_connect"));
    const auto hasError = reinterpret_cast<HasError>(xcb.resolve("xcb_connection_has_error"));
    const auto disconnect = reinterpret_cast<Disconnect>(xcb.resolve("xcb_disconnect"));
    if (!connect || !hasError || !disconnect)
        return false;
    XcbConnection *connection = connect(nullptr, nullptr); // never null: a failed one carries its error
    const bool answers = hasError(connection) == 0;
    disconnect(connection);
    return answers;
}
#endif

} // namespace

QString missingDisplay()
{
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    return {};
#else
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return {};
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return QStringLiteral("there is no display: DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are not set");
    if (!xServerAnswers())
        return QStringLiteral("the X display %1 cannot be reached").arg(qEnvironmentVariable("DISPLAY"));
    return {};
#endif
}

} // namespace inproc
