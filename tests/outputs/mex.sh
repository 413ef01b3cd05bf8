#!/usr/bin/env bash
# MEX files built with mkoctfile and called from octave-cli: the same calls give the
# same output as the M-files they came from, and the calls a MEX file refuses are
# Octave errors with their messages, never a crash of Octave.
ROOT=$1 SOURCE=$2
. "$SOURCE/common.sh"
if ! command -v mkoctfile >/dev/null || ! command -v octave-cli >/dev/null; then
  echo "NOTICE: octave-dev (mkoctfile) or octave-cli is not installed: the MEX tests are skipped" >&2
  exit 77
fi
mkdir build mex interpreted
cp "$SOURCE"/mexfiles/*.m build/
cp "$SOURCE"/mexfiles/*.m interpreted/
cd build || exit 2
for f in twice describe pack shout checked prod2 scale_fields; do
  if ! korval_build $f.m -mex || [ ! -f $f.mex ]; then
    cat korval.log >&2
    fail "korval $f.m -mex built no $f.mex"
  fi
  cp $f.mex ../mex/ 2>/dev/null
done
cp calls.m refusals.m ../mex/
cd ..

# octave-cli's standard output; its standard error reports on its own way out here.
octave() { (cd "$1" && octave-cli --no-gui -q --eval "$2" 2>/dev/null); }
expect_same "the MEX files answer as the M-files do" "$(octave interpreted calls)" "$(octave mex calls)"
expect_same "the refused calls" "[] twice: 1 input argument(s) expected.
[] twice: 1 input argument(s) expected.
[] twice: Wrong class of input argument: sparse matrices are not supported
[] twice: N-dimensional matrices are not supported
[] prod2: binary operator '*' not implemented for 'cell' by 'scalar' operations
[] twice: binary operator '.*' not implemented for 'double' by 'scalar struct' operations
[] twice: Wrong class of input argument
[] pack: Wrong class of input argument: a cell array is expected
[] twice: 1 output argument(s) expected.
[checked:negative] checked: checked: -1 is negative
[Octave:index-out-of-bounds] pack: items(1): out of bound 0 (dimensions are 0x0)
[Octave:nonconformant-args] prod2: operator *: nonconformant arguments (op1 is 2x3, op2 is 2x3)
Octave is still running" "$(octave mex refusals)"
finish
