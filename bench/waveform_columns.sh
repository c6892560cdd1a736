#!/usr/bin/env bash
# Builds ten-minute and one-hour 44.1 kHz mono drum loops and times the
# waveform's columns on them (bench/waveform_columns.cpp), in one run.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"${JOBS:-2}" --target waveform_columns >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 bench/make_drum_loop.py "$work/ten-minutes.wav" 600
/usr/bin/python3 bench/make_drum_loop.py "$work/one-hour.wav" 3600
cat "$work"/*.wav >/dev/null  # load from the page cache
build/release/bench/waveform_columns "$work/ten-minutes.wav" "$work/one-hour.wav"
