// Shared helpers of the tests: scripted toolkit services that fail the running
// test on a message box nobody expected, and the run-time errors a call raises.
#pragma once

#include "RaisedErrors.h"
#include "ScriptedServices.h"
