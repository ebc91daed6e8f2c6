// The Qt application that the rules object's boxes and dialog need, for a
// host that has none (a host not built on Qt): the objects of the library
// share one application of the library's own while any of them lives.
#pragma once

#include <QApplication>
#include <memory>

namespace inproc {

// The library's own application, made when the process has none; empty when
// the host has its own.
std::shared_ptr<QApplication> hostApplication();

// False when the process's application cannot make widgets (a QCoreApplication
// or QGuiApplication of the host's): an object made there would abort at its
// first box.
bool widgetsPossible();

} // namespace inproc
