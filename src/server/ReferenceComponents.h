// Registers the reference components with a component factory: the six server
// components by ProgID, the node-maximum reader, the name checker and the
// reader of whole configurations by class id, and the store's units of work.
// All share one store. The message component, which shows its box through the
// ui services, registers itself (ui/MessageBoxComponent.h).
#pragma once

#include "components/ComponentFactory.h"
#include "server/ReferenceStore.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace server {

// The ProgIDs registered, and the names that stand for the class-id
// components ("NodeTypeMaxReader", "NameValidator", "ConfigurationReader")
// and the units of work ("UnitOfWork") in `except`.
QStringList referenceComponentNames();

// Registers every reference component except those named in `except` (so that
// tests and the host can leave one missing).
void registerReferenceComponents(ComponentFactory &factory, std::shared_ptr<ReferenceStore> store,
                                 const QStringList &except = {});

} // namespace server
