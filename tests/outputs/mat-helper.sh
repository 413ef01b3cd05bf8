#!/usr/bin/env bash
# The MAT-file helper (-mexhelp): inputs in01.. from one MAT-file, outputs out01.. to
# another, both made and read by octave-cli (MAT-file versions 5 and 4); and what it
# does with a missing, damaged or incomplete input file.
ROOT=$1 SOURCE=$2
. "$SOURCE/common.sh"
cp "$SOURCE"/helper/*.m .

if ! korval_build roundtrip.m -mexhelp || [ ! -x roundtrip ]; then
  cat korval.log >&2
  fail "korval roundtrip.m -mexhelp built no helper program"
  finish
fi
if ! command -v octave-cli >/dev/null; then
  echo "NOTICE: octave-cli is not installed: the round trip through Octave's MAT-files is skipped" >&2
  exit 77
fi
# (octave-cli's standard error is left out: here it reports on its own way out.)
octave-cli --no-gui -q make_inputs.m 2>/dev/null || fail "octave-cli could not write the input files"

for v in 6 4; do
  ./roundtrip in$v.mat out$v.mat >run$v.log 2>&1 || fail "the helper failed on in$v.mat: $(cat run$v.log)"
done
expect_same "the outputs as Octave loads them" "out6.mat: double char logical double
1 1 1 1
out4.mat: double char logical double
1 1 1 1" "$(octave-cli --no-gui -q check_outputs.m 2>/dev/null)"

# One file for both: the inputs are read before the outputs replace them.
cp in6.mat same.mat
./roundtrip same.mat same.mat >same.log 2>&1 || fail "the helper failed with one file for both: $(cat same.log)"
octave-cli --no-gui -q --eval "load same.mat; disp(isequal(out01, [1 2 3; 4 5 6]'))" 2>/dev/null | grep -qx 1 ||
  fail "one file for both: the outputs are not in it"

# Structures and cells through the helper: a structure in, a structure and a cell out.
if ! korval_build fieldwise.m -mexhelp || [ ! -x fieldwise ]; then
  cat korval.log >&2
  fail "korval fieldwise.m -mexhelp built no helper program"
else
  ./fieldwise st6.mat stout6.mat >st.log 2>&1 || fail "the helper failed on st6.mat: $(cat st.log)"
  expect_same "a structure and a cell as Octave loads them" "1 1" "$(octave-cli --no-gui -q --eval \
    "o = load('stout6.mat'); printf('%d %d\\n', isequal(o.out01, struct('name', 'abc', 'values', [1 2 3], 'total', 6)), isequal(o.out02, {'abc', 3; [1; 2; 3], {}}))" 2>/dev/null)"
fi

# check_failure NAME EXPECTED-MESSAGE ARGS...: exit status 1, the message on standard
# error, and no output file, not even one an earlier run left.
check_failure() {
  local name=$1 want=$2
  shift 2
  cp out6.mat out.mat
  ./roundtrip "$@" >fail.out 2>fail.err
  local status=$?
  [ "$status" = 1 ] || fail "$name: exit status $status, expected 1"
  expect_same "$name: message" "$want" "$(cat fail.err)"
  [ "$#" -lt 2 ] || [ ! -e "$2" ] || fail "$name: the output file $2 was written"
}
printf 'this is not a MAT-file, only some text that is long enough to be read\n%.0s' {1..8} >text.mat
head -c $(($(stat -c %s in6.mat) - 8)) in6.mat >cut.mat
head -c $(($(stat -c %s in4.mat) - 3)) in4.mat >cut4.mat
check_failure "missing file" "error: load: unable to find file nothere.mat" nothere.mat out.mat
check_failure "not a MAT-file" "error: load: unable to determine file format of 'text.mat'" text.mat out.mat
check_failure "cut short" "error: load: cut.mat is cut short: its variables do not fit in it" cut.mat out.mat
check_failure "cut short (version 4)" "error: load: cut4.mat is cut short: its variables do not fit in it" cut4.mat out.mat
check_failure "variable missing" "error: load: variable 'in02' not found in only_x.mat" only_x.mat out.mat
check_failure "error in the function" "error: roundtrip: x must not be empty" empty_x.mat out.mat
check_failure "no file names" "error: Usage:
roundtrip inputfile outputfile"
finish
