#!/usr/bin/env bash
# Times slicewright-cli batch over 200 one-second 44.1 kHz drum loops, each
# cut into slices and written as slice files, a SoundFont bank, a MIDI
# template and an SFZ instrument, with --jobs 1 and --jobs 2, and prints the
# files per second of each. Every run starts from an empty output folder; the
# best of several runs counts.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${RUNS:-3}"
files="${FILES:-200}"

tools/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"${JOBS:-2}" --target slicewright-cli >/dev/null
cli="$PWD/build/release/src/slicewright-cli"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# One long loop cut into one-second files, so that each file holds other hits.
/usr/bin/python3 bench/make_drum_loop.py "$work/long.wav" "$files"
mkdir "$work/loops"
/usr/bin/python3 - "$work/long.wav" "$work/loops" "$files" <<'PY'
import sys, wave
source, folder, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
with wave.open(source) as w:
    rate = w.getframerate()
    for k in range(count):
        with wave.open(f"{folder}/loop{k:03}.wav", "wb") as out:
            out.setnchannels(1)
            out.setsampwidth(2)
            out.setframerate(rate)
            out.writeframes(w.readframes(rate))
PY
cat "$work"/loops/*.wav >/dev/null  # read from the page cache

for jobs in 1 2; do
  /usr/bin/python3 - "$runs" "$files" "$jobs" "$cli" "$work" <<'PY'
import shutil, subprocess, sys, time
runs, files, jobs, cli, work = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4], sys.argv[5]
best = None
for _ in range(runs):
    shutil.rmtree(f"{work}/out", ignore_errors=True)
    start = time.perf_counter()
    subprocess.run([cli, "batch", "--jobs", jobs, "--sensitivity", "70", "--out-dir", f"{work}/out",
                    "--slices", "--sf2", "--midi", "--sfz", f"{work}/loops"], stdout=subprocess.DEVNULL, check=True)
    elapsed = time.perf_counter() - start
    best = elapsed if best is None else min(best, elapsed)
print(f"--jobs {jobs}: {files} files in {best:.2f} s, {files / best:.1f} files per second")
PY
done
