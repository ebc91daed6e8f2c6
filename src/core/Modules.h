// The module numbers of the error recorder: an error is filed under the part
// of the component whose procedure raised it, the rules object or its form.
#pragma once

#include <QtGlobal>

namespace rt {

enum Module : qint16 { ModuleBusinessRules = 1, ModuleGUI = 2 };

} // namespace rt
