// The Qt application that the rules object's boxes and dialog need. A host
// built on Qt brings its own. For a host that has none (a host not built on
// Qt, or one that never made an application), the library makes one of its
// own at the first CreateInstance, and it lives as long as the process,
// however many objects come and go: destroying an application ends every Qt
// Sql connection of the process, the host's included. The library then keeps
// itself loaded (a request to unload it does nothing), since the
// application's arguments live in it, and the application is never
// destroyed: at the process's exit Qt's own globals go first, and destroying
// it after them crashes.
#pragma once

#include <QString>

namespace inproc {

// Empty when the process has a QApplication (the host's, or the library's
// own, made now if need be); otherwise why an object cannot be made: the
// host's application is a QCoreApplication or QGuiApplication (no widgets),
// or there is no display to make one on.
QString ensureApplication();

} // namespace inproc
