// The component contracts over objects of registered in-process servers:
// each proxy holds one interface pointer of QRV_SERVER.h and implements the
// contract of components/ with it, texts as BSTRs, a failing answer as the
// run-time error it carries (with the component's name as source when the
// server gives none).
#pragma once

#include "components/Component.h"

#include <QString>
#include <memory>

namespace registered {

// The proxy of the component a ProgID or a class id in braces names, over an
// object of the class the registry names for it; nothing when the name is
// not one of the known components or the registry does not name its class.
// Throws error 429 when the class is registered but gives no object.
std::unique_ptr<Component> createProxy(const QString &name);

} // namespace registered
