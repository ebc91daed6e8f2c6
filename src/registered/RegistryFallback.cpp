// The factory's fallback, set once and taken away before this code goes.
#include "registered/RegistryFallback.h"

#include "components/ComponentFactory.h"
#include "registered/ComponentProxies.h"

namespace registered {
namespace {

// Made after the factory, so that it goes first: at the unloading of the
// library holding it, and at the end of the process.
struct FallbackSet
{
    FallbackSet() { ComponentFactory::global().setFallback(createProxy); }
    ~FallbackSet() { ComponentFactory::global().setFallback(nullptr); }
};

} // namespace

void useRegistryForMissingComponents()
{
    ComponentFactory::global();
    static const FallbackSet fallback;
}

} // namespace registered
