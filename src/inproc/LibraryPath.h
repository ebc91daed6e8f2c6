// The full path of the library file this code was loaded from, which the
// registration names as the class's in-process server.
#pragma once

#include <QString>

namespace inproc {

// Empty when the system cannot tell.
QString libraryPath();

} // namespace inproc
