#!/usr/bin/env bash
# Builds everything and runs every test: a release build with the desktop
# program, then the core again under AddressSanitizer and UBSan, then a short
# run of each fuzz target on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
jobs="${JOBS:-2}"

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs"

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSLICEWRIGHT_SANITIZE=ON -DSLICEWRIGHT_BUILD_GUI=OFF
cmake --build build/sanitize -j"$jobs"
ctest --test-dir build/sanitize --output-on-failure -j"$jobs"

for target in fuzz_wave_load fuzz_clipboard_paste fuzz_exports; do
  tools/fuzz.sh "$target" "${FUZZ_SECONDS:-20}"
done
