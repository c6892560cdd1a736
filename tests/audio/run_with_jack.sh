#!/bin/sh
# Runs a test program against a JACK dummy server of its own.
# Usage: run_with_jack.sh PROGRAM [ARGS...]
# Exits 77 (skipped) when JACK is not installed.

command -v jackd >/dev/null 2>&1 && command -v jack_lsp >/dev/null 2>&1 || {
  echo "jackd or jack_lsp not found: skipping" >&2
  exit 77
}

name="slicewright-test-$$"
log="${TMPDIR:-/tmp}/$name.log"
JACK_DEFAULT_SERVER="$name"
export JACK_DEFAULT_SERVER

jackd --no-realtime -n "$name" -d dummy -r 44100 -p 512 >"$log" 2>&1 &
jack_pid=$!

stop_server() {
  kill "$jack_pid" 2>/dev/null
  # The server takes a few seconds to shut down; wait for it, then insist.
  tries=0
  while kill -0 "$jack_pid" 2>/dev/null && [ "$tries" -lt 100 ]; do
    sleep 0.1
    tries=$((tries + 1))
  done
  kill -9 "$jack_pid" 2>/dev/null
  wait "$jack_pid" 2>/dev/null
  rm -f "$log"
}
trap stop_server EXIT
trap 'exit 1' INT TERM

tries=0
until jack_lsp 2>/dev/null | grep -q '^system:playback_1$'; do
  if ! kill -0 "$jack_pid" 2>/dev/null || [ "$tries" -ge 100 ]; then
    echo "JACK dummy server did not come up:" >&2
    cat "$log" >&2
    exit 1
  fi
  sleep 0.1
  tries=$((tries + 1))
done

"$@"
status=$?
exit "$status"
