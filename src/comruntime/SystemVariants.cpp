// Where the system has no OleAut32, the two VARIANT helpers of the
// interface: making a VARIANT empty and freeing what it owns. Of the types
// the interface uses, only a VT_BSTR owns something (its string); by
// reference a VARIANT owns nothing.
#include "comruntime/VEL_COM.h"

#ifndef _WIN32

static_assert(sizeof(VARIANT) == 16, "the classic VARIANT layout");

void VariantInit(VARIANT *value)
{
    if (value)
        value->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT *value)
{
    if (!value)
        return S_OK;
    switch (value->vt & ~VT_BYREF) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_BSTR:
    case VT_ERROR:
    case VT_BOOL:
    case VT_VARIANT: break;
    default: return DISP_E_BADVARTYPE;
    }
    if (value->vt == VT_BSTR)
        SysFreeString(value->bstrVal);
    value->vt = VT_EMPTY;
    return S_OK;
}

#endif
