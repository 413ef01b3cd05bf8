#!/usr/bin/env bash
# A shared library built from an M function, called from a C program (with the C
# header korval writes) and from python3 through ctypes.
ROOT=$1 SOURCE=$2
. "$SOURCE/common.sh"
cp "$SOURCE/shared/mulsum.m" "$SOURCE/shared/use_mulsum.c" "$SOURCE/shared/use_mulsum.py" .

if ! korval_build mulsum.m -dll:delphi || [ ! -f libmulsum.so ]; then
  cat korval.log >&2
  fail "korval mulsum.m -dll:delphi built no libmulsum.so"
  finish
fi
[ -f libmulsum.h ] || fail "no C header libmulsum.h"
grep -q "external 'libmulsum.so' name 'mulsum_2_2';" mulsum.pas ||
  fail "the Delphi declarations do not name libmulsum.so: $(cat mulsum.pas)"
exports=$(nm -D --defined-only libmulsum.so)
grep -q ' T mulsum_2_2$' <<<"$exports" || fail "libmulsum.so does not export mulsum_2_2"

if ! gcc -std=c99 -Wall -Werror -o use_mulsum use_mulsum.c -L. -lmulsum -Wl,-rpath,"$work" 2>cc.log; then
  cat cc.log >&2
  fail "the C program does not compile against libmulsum.h"
else
  expect_same "the C program's output" "p (2x2): 19 43 22 50
s (1x1): 36
p1 (2x2): 19 43 22 50
last error: []
mtGetR: index (3,1) out of bound 2x2
mtSetR: index (0,1) out of bound 2x2
mtCreateDoubleMatrix: the number of rows and columns must not be negative
mulsum_2_1: a matrix argument is a null pointer
operator *: nonconformant arguments (op1 is 2x2, op2 is 1x3)
int8: p 127 class 2, s 102 class 0
written -3.5: -4 class 2
binary operator '*' not implemented for 'int8 matrix' by 'int16 matrix' operations
0 mtSetClassID: 42 is no class of a matrix
single class 1, logical class 10
complex 1, 9" "$(./use_mulsum 2>&1)"
fi

expect_same "the Python program's output" "p [[19.0, 22.0], [43.0, 50.0]]
s [[36.0]]
mtGetR: index (1,3) out of bound 2x2" "$(python3 use_mulsum.py "$work/libmulsum.so" 2>&1)"
finish
