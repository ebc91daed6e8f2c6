#!/usr/bin/env python3
"""A configuration host in Python with ctypes, as the C host does it: it
creates the Partition Settings component by its ProgID through the registry,
shows the dialog early-bound through _Busyness_Rules::Shown (its slot in the
interface's table) and reads ErrCode late-bound through IDispatch.

usage: python_host.py [--runtime LIBRARY] [configuration [partition [mode]]]

LIBRARY is the component-object runtime, libpartset_com_runtime.so (by
default the one an install puts in <prefix>/lib/<arch>/partition-settings/).
Prints "Shown: True|False" and "ErrCode: n"; exits 0 when Shown answered True
with ErrCode 0.
"""
import argparse
import ctypes
import glob
import sys
from ctypes import POINTER, byref, c_int16, c_int32, c_int64, c_uint16, c_uint32, c_void_p

HRESULT = c_int32
BSTR = c_void_p
CLSCTX_INPROC_SERVER = 1
VT_BOOL, VARIANT_TRUE = 11, -1
DISPATCH_PROPERTYGET = 2


class GUID(ctypes.Structure):
    _fields_ = [("Data1", c_uint32), ("Data2", c_uint16), ("Data3", c_uint16), ("Data4", ctypes.c_uint8 * 8)]

    @classmethod
    def parse(cls, text):
        parts = text.strip("{}").split("-")
        tail = bytes.fromhex(parts[3] + parts[4])
        return cls(int(parts[0], 16), int(parts[1], 16), int(parts[2], 16), (ctypes.c_uint8 * 8)(*tail))


class VARIANT(ctypes.Structure):
    _fields_ = [("vt", c_uint16), ("reserved", c_uint16 * 3), ("value", c_int64)]


class DISPPARAMS(ctypes.Structure):
    _fields_ = [("rgvarg", c_void_p), ("rgdispidNamedArgs", c_void_p), ("cArgs", ctypes.c_uint), ("cNamedArgs", ctypes.c_uint)]


IID_NULL = GUID()
IID_IDispatch = GUID.parse("00020400-0000-0000-C000-000000000046")
IID__Busyness_Rules = GUID.parse("1FFE7915-51FF-4D03-95DA-CEF60AC6CDE9")

# Slots of _Busyness_Rules: IUnknown 0-2, IDispatch 3-6, then the properties,
# and Shown at 23.
RELEASE, QUERY_INTERFACE, GET_IDS_OF_NAMES, INVOKE, SHOWN = 2, 0, 5, 6, 23


def utf16(text):
    """A NUL-ended UTF-16 buffer of the text (OLECHAR is 16 bits)."""
    data = text.encode("utf-16-le")
    return (c_uint16 * (len(data) // 2 + 1))(*[int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2)])


def method(obj, slot, *argtypes):
    """The function in a slot of an object's table, bound to the object."""
    table = ctypes.cast(obj, POINTER(POINTER(c_void_p)))[0]
    function = ctypes.CFUNCTYPE(HRESULT, c_void_p, *argtypes)(table[slot])
    return lambda *args: function(obj, *args)


def check(answer, what):
    if answer < 0:
        sys.exit("python_host: %s failed (0x%08x)" % (what, answer & 0xFFFFFFFF))


def default_runtime():
    found = sorted(glob.glob("/usr/lib/*/partition-settings/libpartset_com_runtime.so"))
    return found[0] if found else "libpartset_com_runtime.so"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runtime", default=None)
    parser.add_argument("configuration", type=int, nargs="?", default=1)
    parser.add_argument("partition", type=int, nargs="?", default=0)
    parser.add_argument("mode", nargs="?", default="f")
    options = parser.parse_args()

    runtime = ctypes.CDLL(options.runtime or default_runtime(), mode=ctypes.RTLD_GLOBAL)
    runtime.SysAllocStringLen.restype = BSTR
    runtime.SysAllocStringLen.argtypes = [c_void_p, ctypes.c_uint]
    runtime.SysFreeString.argtypes = [BSTR]
    runtime.CoCreateInstance.argtypes = [POINTER(GUID), c_void_p, c_uint32, POINTER(GUID), POINTER(c_void_p)]
    runtime.VariantClear.argtypes = [POINTER(VARIANT)]

    runtime.CoInitialize(None)
    rules_class = GUID()
    check(runtime.CLSIDFromProgID(utf16("VEL_PART_SET.Busyness_Rules"), byref(rules_class)), "CLSIDFromProgID")
    rules = c_void_p()
    check(runtime.CoCreateInstance(byref(rules_class), None, CLSCTX_INPROC_SERVER, byref(IID__Busyness_Rules),
                                   byref(rules)), "CoCreateInstance")

    shown = VARIANT()
    mode = runtime.SysAllocStringLen(utf16(options.mode), len(options.mode))
    Shown = method(rules, SHOWN, c_int16, c_int16, BSTR, c_int16, c_int16, c_int16, POINTER(VARIANT))
    check(Shown(options.configuration, options.partition, mode, 1, 0, VARIANT_TRUE, byref(shown)), "Shown")
    runtime.SysFreeString(mode)

    dispatch = c_void_p()
    check(method(rules, QUERY_INTERFACE, POINTER(GUID), POINTER(c_void_p))(byref(IID_IDispatch), byref(dispatch)),
          "QueryInterface")
    name = utf16("ErrCode")
    names = (c_void_p * 1)(ctypes.cast(name, c_void_p))
    dispid = c_int32()
    check(method(dispatch, GET_IDS_OF_NAMES, POINTER(GUID), c_void_p, ctypes.c_uint, c_uint32, POINTER(c_int32))(
        byref(IID_NULL), names, 1, 0, byref(dispid)), "GetIDsOfNames")
    code = VARIANT()
    check(method(dispatch, INVOKE, c_int32, POINTER(GUID), c_uint32, c_uint16, POINTER(DISPPARAMS), POINTER(VARIANT),
                 c_void_p, c_void_p)(dispid, byref(IID_NULL), 0, DISPATCH_PROPERTYGET, byref(DISPPARAMS()),
                                     byref(code), None, None), "Invoke")

    was_shown = shown.vt == VT_BOOL and ctypes.c_int16(shown.value & 0xFFFF).value == VARIANT_TRUE
    err_code = ctypes.c_int32(code.value & 0xFFFFFFFF).value
    print("Shown: %s\nErrCode: %d" % ("True" if was_shown else "False", err_code))
    runtime.VariantClear(byref(shown))
    method(dispatch, RELEASE)()
    method(rules, RELEASE)()
    runtime.CoUninitialize()
    return 0 if was_shown and err_code == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
