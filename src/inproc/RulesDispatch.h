// Late binding of _Busyness_Rules: member names to their identifiers, and
// Invoke, which converts the VARIANT arguments and calls the member's slot of
// the interface itself.
#pragma once

#include "inproc/VEL_PART_SET.h"

namespace inproc {

HRESULT dispatchIdsOfNames(REFIID riid, OLECHAR **names, UINT count, DISPID *ids);

HRESULT dispatchInvoke(_Busyness_Rules &rules, DISPID id, REFIID riid, WORD flags, const DISPPARAMS *params,
                       VARIANT *result, UINT *argumentError);

} // namespace inproc
