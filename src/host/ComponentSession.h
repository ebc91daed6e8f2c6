// One showing through the component's interface, as a configuration host
// makes it: the class factory gives a Busyness_Rules object, the host sets
// its language field and calls Shown, reads ErrorInfo when Shown answers
// False, and releases the object.
#pragma once

#include "ComponentLibrary.h"
#include "HostOptions.h"

struct ShownAnswer
{
    bool shown = false; // Shown's result
    QString errLocation;
    qint32 errCode = 0;
    QString errDescription;
};

// Throws std::runtime_error when the library gives no object.
ShownAnswer showThroughComponent(const ComponentLibrary &library, const HostOptions &options);
