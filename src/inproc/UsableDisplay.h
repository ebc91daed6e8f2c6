// Whether Qt can start its platform in this process: where the windowing
// system is X11 or Wayland, a QApplication made without a display ends the
// whole process (Qt's platform plugin fails and Qt aborts), so the library
// checks first, before it makes an application of its own.
#pragma once

#include <QString>

namespace inproc {

// Empty when an application may be made; otherwise why not, in a sentence.
// QT_QPA_PLATFORM, when set, is the host's choice and is trusted, and so is
// WAYLAND_DISPLAY; DISPLAY alone is trusted once its X server answers a
// connection. On Windows and macOS there is always a display.
QString missingDisplay();

} // namespace inproc
