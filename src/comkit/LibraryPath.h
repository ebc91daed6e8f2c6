// The library's own module: the full path of the file this code was loaded
// from, which the registration names as the class's in-process server, and
// keeping the module loaded until the process ends.
#pragma once

#include <QString>

namespace com {

// Empty when the system cannot tell.
QString libraryPath();

// Makes later requests to unload the library do nothing; false when the
// system refused.
bool keepLoaded();

} // namespace com
