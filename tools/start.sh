#!/usr/bin/env bash
# Builds the desktop program and starts it; arguments are passed on.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j"${JOBS:-2}" --target slicewright slicewright-cli
exec build/release/src/slicewright "$@"
