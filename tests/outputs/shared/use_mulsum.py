# Calls the M function mulsum through libmulsum.so from Python, with ctypes.
import ctypes
import sys

lib = ctypes.CDLL(sys.argv[1])
P = ctypes.c_void_p
lib.mtCreateDoubleMatrix.restype = P
lib.mtCreateDoubleMatrix.argtypes = [ctypes.c_int, ctypes.c_int, ctypes.c_int]
lib.mtSetR.argtypes = [P, ctypes.c_int, ctypes.c_int, ctypes.POINTER(ctypes.c_double)]
lib.mtGetR.restype = ctypes.c_double
lib.mtGetR.argtypes = [P, ctypes.c_int, ctypes.c_int, ctypes.POINTER(ctypes.c_double)]
lib.mtGetM.argtypes = [P]
lib.mtGetN.argtypes = [P]
lib.mtDestroyMatrix.argtypes = [P]
lib.mtLastError.restype = ctypes.c_char_p
lib.mulsum_2_2.argtypes = [P, P, ctypes.POINTER(P), ctypes.POINTER(P)]


def matrix(rows):
    x = lib.mtCreateDoubleMatrix(len(rows), len(rows[0]), 0)
    for r, row in enumerate(rows, 1):
        for c, v in enumerate(row, 1):
            lib.mtSetR(x, r, c, ctypes.byref(ctypes.c_double(v)))
    return x


def values(x):
    v = ctypes.c_double()
    return [[lib.mtGetR(x, r, c, ctypes.byref(v)) for c in range(1, lib.mtGetN(x) + 1)]
            for r in range(1, lib.mtGetM(x) + 1)]


lib.mtInitM()
a = matrix([[1, 2], [3, 4]])
b = matrix([[5, 6], [7, 8]])
p, s = P(), P()
lib.mulsum_2_2(a, b, ctypes.byref(p), ctypes.byref(s))
print("p", values(p))
print("s", values(s))
lib.mtGetR(p, 1, 3, ctypes.byref(ctypes.c_double()))
print(lib.mtLastError().decode())
for x in (a, b, p, s):
    lib.mtDestroyMatrix(x)
lib.mtExitM()
