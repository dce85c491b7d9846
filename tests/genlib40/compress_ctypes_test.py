"""The compression pair called from Python through ctypes, checked against Python's zlib.

Usage: python3 compress_ctypes_test.py <path to libgenlib40>
"""
import ctypes
import os
import random
import struct
import sys
import unittest
import zlib

LIB_PATH = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("GENLIB40_PATH", "")

lib = ctypes.CDLL(LIB_PATH)
BSTR = ctypes.c_void_p
lib.SysAllocStringByteLen.argtypes = [ctypes.c_char_p, ctypes.c_uint]
lib.SysAllocStringByteLen.restype = BSTR
lib.SysStringByteLen.argtypes = [BSTR]
lib.SysStringByteLen.restype = ctypes.c_uint
lib.SysFreeString.argtypes = [BSTR]
lib.SysFreeString.restype = None
for name in ("CompressString", "DecompressString"):
    fn = getattr(lib, name)
    fn.argtypes = [ctypes.POINTER(BSTR)]
    fn.restype = ctypes.c_int32


def call(fn, data):
    """Runs an in/out export on a counted string holding data; returns (status, bytes)."""
    handle = BSTR(lib.SysAllocStringByteLen(data, len(data)))
    try:
        status = fn(ctypes.byref(handle))
        out = ctypes.string_at(handle.value, lib.SysStringByteLen(handle)) if handle.value else b""
        return status, out
    finally:
        lib.SysFreeString(handle)


def picture(n, seed):
    rnd = random.Random(seed)
    return bytes(((i // 3) % 200) ^ (rnd.randrange(4) if i % 11 else 0) for i in range(n))


SAMPLES = [b"", b"abc", b"\x00\x00zero\x00bytes\x00", picture(200000, 1), os.urandom(5000)]


class CompressAgainstZlib(unittest.TestCase):
    def test_our_output_decompresses_with_zlib(self):
        for data in SAMPLES:
            status, out = call(lib.CompressString, data)
            self.assertEqual(status, 0)
            self.assertEqual(struct.unpack("<i", out[:4])[0], len(data))
            self.assertEqual(zlib.decompress(out[4:]), data)
            self.assertEqual(out[4:], zlib.compress(data))  # default level, same stream

    def test_zlib_output_decompresses_with_ours(self):
        for data in SAMPLES:
            for level in (1, 6, 9):
                packed = struct.pack("<i", len(data)) + zlib.compress(data, level)
                status, out = call(lib.DecompressString, packed)
                self.assertEqual(status, 0)
                self.assertEqual(out, data)

    def test_statuses(self):
        data = picture(1000, 2)
        short = struct.pack("<i", 500) + zlib.compress(data)
        self.assertEqual(call(lib.DecompressString, short)[0], -5)
        damaged = bytearray(struct.pack("<i", 1000) + zlib.compress(data))
        damaged[8] ^= 0xFF
        self.assertEqual(call(lib.DecompressString, bytes(damaged))[0], -3)
        for too_short in (b"", b"\x01", b"\x01\x00\x00"):
            self.assertNotEqual(call(lib.DecompressString, too_short)[0], 0)


if __name__ == "__main__":
    unittest.main()
