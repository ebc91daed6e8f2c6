// Makes the process's component factory find, through the registry, the
// outside components that its host registered no implementation of.
#pragma once

namespace registered {

// Sets the fallback of ComponentFactory::global(); it is taken away again
// when the library holding this code is unloaded.
void useRegistryForMissingComponents();

} // namespace registered
