#!/usr/bin/env bash
# Times slicewright-cli analyze against aubioonset on the same ten-minute
# 44.1 kHz mono drum loop, in one run, and prints both times and the ratio.
# Each tool runs several times; the best time counts, so a busy moment of the
# machine does not decide the result.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${RUNS:-5}"
seconds="${SECONDS_OF_AUDIO:-600}"

if ! command -v aubioonset >/dev/null; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends aubio-tools >/dev/null
fi
tools/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"${JOBS:-2}" --target slicewright-cli >/dev/null
cli=build/release/src/slicewright-cli

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
loop="$work/loop.wav"
/usr/bin/python3 bench/make_drum_loop.py "$loop" "$seconds"

best_time() {  # prints the best wall time in seconds of running "$@" $runs times
  /usr/bin/python3 - "$runs" "$@" <<'PY'
import subprocess, sys, time
runs, cmd = int(sys.argv[1]), sys.argv[2:]
best = None
for _ in range(runs):
    start = time.perf_counter()
    subprocess.run(cmd, stdout=subprocess.DEVNULL, check=True)
    elapsed = time.perf_counter() - start
    best = elapsed if best is None else min(best, elapsed)
print(f"{best:.3f}")
PY
}

cat "$loop" >/dev/null  # both tools read the file from the page cache
ours=$(best_time "$cli" analyze "$loop")
aubio=$(best_time aubioonset -i "$loop")
points=$("$cli" analyze "$loop" | /usr/bin/python3 -c 'import json,sys; print(len(json.load(sys.stdin)["slicePoints"]))')
onsets=$(aubioonset -i "$loop" | wc -l)
/usr/bin/python3 - "$ours" "$aubio" "$seconds" "$points" "$onsets" <<'PY'
import sys
ours, aubio, seconds, points, onsets = float(sys.argv[1]), float(sys.argv[2]), sys.argv[3], sys.argv[4], sys.argv[5]
print(f"audio:            {seconds} s of 44.1 kHz mono drum loop")
print(f"slicewright-cli:  {ours:.3f} s  ({points} slice points, refinement and strengths included)")
print(f"aubioonset:       {aubio:.3f} s  ({onsets} onsets)")
print(f"throughput ratio: {aubio / ours:.1f} x aubio")
PY
