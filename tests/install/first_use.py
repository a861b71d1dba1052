# Asks the installed platform library for a filter class through activation,
# in a registry nobody filled: the installed modules must register on first use.
import ctypes, sys
lib = ctypes.CDLL(sys.argv[1])
class GUID(ctypes.Structure):
    _fields_ = [("a", ctypes.c_uint32), ("b", ctypes.c_uint16), ("c", ctypes.c_uint16), ("d", ctypes.c_uint8 * 8)]
def guid(a, b, c, d): return GUID(a, b, c, (ctypes.c_uint8 * 8)(*d))
clsid = guid(0x4DB69746, 0x1B0B, 0x4713, [0xB3, 0xDC, 0xB8, 0x9B, 0x55, 0x7C, 0xD8, 0x21])
iid_unknown = guid(0, 0, 0, [0xC0, 0, 0, 0, 0, 0, 0, 0x46])
create = getattr(lib, "_Z16CoCreateInstanceRK4GUIDP8IUnknownjS1_PPv")
create.restype = ctypes.c_int32
out = ctypes.c_void_p()
hr = create(ctypes.byref(clsid), None, 1, ctypes.byref(iid_unknown), ctypes.byref(out))
print(hex(hr & 0xffffffff))
sys.exit(0 if hr == 0 and out.value else 1)
