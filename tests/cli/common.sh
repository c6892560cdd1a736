# Sourced by every CLI test: the tool's path from the first argument, a work
# folder removed at the end, and the checks the tests share.
set -euo pipefail
cli="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
check() { /usr/bin/python3 "$here/export_check.py" "$@"; }  # export_check.py COMMAND ...

expect_status() {  # status, then the command; its output lands in $work/out and $work/err
  local want="$1"; shift
  set +e; "$@" >"$work/out" 2>"$work/err"; local got=$?; set -e
  [ "$got" = "$want" ] || fail "$* exited $got, expected $want: $(cat "$work/err")"
}

wait_for_output() {  # until the file has something in it, at most 20 s
  for _ in $(seq 2000); do
    [ -s "$1" ] && return
    sleep 0.01
  done
}
