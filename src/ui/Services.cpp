// The process's toolkit services and their scoped replacement.
#include "ui/Services.h"

#include "ui/QtServices.h"

namespace ui {
namespace {

Services &current()
{
    static QtMessageBoxes boxes;
    static QtMousePointer pointer;
    static QtModalRunner runner;
    static Services services{&boxes, &pointer, &runner};
    return services;
}

} // namespace

const Services &services() { return current(); }

ScopedServices::ScopedServices(Services replacement) : m_previous(current())
{
    Services &active = current();
    if (replacement.messageBoxes)
        active.messageBoxes = replacement.messageBoxes;
    if (replacement.mousePointer)
        active.mousePointer = replacement.mousePointer;
    if (replacement.modalRunner)
        active.modalRunner = replacement.modalRunner;
}

ScopedServices::~ScopedServices() { current() = m_previous; }

} // namespace ui
