// The host's file commands: --export, --import and --copy-settings on a
// store, through the reference components.
#pragma once

#include "HostOptions.h"
#include "server/ReferenceStore.h"

#include <memory>

// Runs the command and answers the exit status: 0 done or nothing to change,
// 1 a refused file or request, 2 a store failure or a conflict.
int runFileCommand(const HostOptions &options, const std::shared_ptr<server::ReferenceStore> &store);
