#!/usr/bin/env bash
# Builds the libFuzzer targets in build/fuzz and runs one of them on its seed
# corpus for the given time:
#   tools/fuzz.sh fuzz_wave_load|fuzz_clipboard_paste|fuzz_exports SECONDS
# The corpus grows in build/fuzz/corpus/; an input that crashes, leaks, hangs
# or fails a check is saved in build/fuzz/findings/ and the script exits
# non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: tools/fuzz.sh fuzz_wave_load|fuzz_clipboard_paste|fuzz_exports SECONDS"
target="${1:?$usage}"
seconds="${2:?$usage}"
case "$target" in
  fuzz_wave_load | fuzz_clipboard_paste | fuzz_exports) ;;
  *) echo "$usage" >&2; exit 2 ;;
esac
tools/install-deps.sh build-essential cmake pkg-config python3 clang libclang-rt-14-dev libsndfile1-dev

build=build/fuzz
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSLICEWRIGHT_FUZZ=ON -DSLICEWRIGHT_BUILD_GUI=OFF -DSLICEWRIGHT_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"${JOBS:-2}" --target "$target"

corpus="$build/corpus/${target#fuzz_}"
[ -d "$corpus" ] || /usr/bin/python3 tools/make_fuzz_corpus.py "$build/corpus"
mkdir -p "$build/findings"
# 64 KiB inputs keep the scans short enough for thousands of runs a second.
"$build/fuzz/$target" "$corpus" -max_len=65536 -max_total_time="$seconds" -timeout=10 \
  -print_final_stats=1 -artifact_prefix="$build/findings/$target-"
