// Base of every outside component, and the member that holds one: a
// component that could not be created leaves its member empty, and the first
// call through the empty member is run-time error 91.
#pragma once

#include "core/ObjectRef.h"

class Component
{
public:
    virtual ~Component() = default;
};

template <typename Interface> using ComponentRef = ObjectRef<Interface>;
