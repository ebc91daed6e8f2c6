// The toolkit services in force for the process: Qt's by default, replaced as a
// whole by tests (scripted boxes) or by the host's screenshot mode.
#pragma once

#include "ui/MessageBoxes.h"
#include "ui/ModalRunner.h"
#include "ui/MousePointer.h"

namespace ui {

struct Services
{
    MessageBoxes *messageBoxes;
    MousePointer *mousePointer;
    ModalRunner *modalRunner;
};

// The services in force (Qt's unless replaced).
const Services &services();
inline MessageBoxes &messageBoxes() { return *services().messageBoxes; }
inline MousePointer &mousePointer() { return *services().mousePointer; }
inline ModalRunner &modalRunner() { return *services().modalRunner; }

// Replaces the services for its lifetime; a null member keeps the one in force.
class ScopedServices
{
public:
    explicit ScopedServices(Services replacement);
    ~ScopedServices();
    ScopedServices(const ScopedServices &) = delete;
    ScopedServices &operator=(const ScopedServices &) = delete;

private:
    Services m_previous;
};

} // namespace ui
