# Shared by the output-kind tests: a fresh directory, korval from the root given, and
# the checks' report. Sourced with ROOT and SOURCE set.
set -uo pipefail
work=$(mktemp -d "${TMPDIR:-/tmp}/korval-out-XXXXXX") || exit 2
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 2
unset korval3 KORVAL3 mpath MPATH
export KORVAL_REGISTRY=$work/.registry
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# expect_same NAME EXPECTED ACTUAL
expect_same() {
  if [ "$2" != "$3" ]; then
    fail "$1"
    diff -u <(printf '%s\n' "$2") <(printf '%s\n' "$3") | sed -n '3,80p' >&2
  fi
}

# korval_build SWITCHES...: korval in the work directory; its output in korval.log.
korval_build() {
  "$ROOT/korval" -nologo "$@" >korval.log 2>&1 </dev/null
}

finish() {
  if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
  exit 0
}
