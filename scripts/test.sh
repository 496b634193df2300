#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the whole suite, the
# same suite under the address and undefined-behaviour sanitizers, and a short
# fuzzing run of each file reader.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests
if [ ! -d build/debug ]; then
    echo "Building and testing three times over: debug, fuzzing, sanitizers (10 to 15 minutes the first time)..."
fi

cmake --preset debug
cmake --build --preset debug
ctest --preset debug

scripts/fuzz.sh

cmake --preset asan
cmake --build --preset asan
ctest --preset asan
echo "All tests passed. Test logs: build/debug/Testing/Temporary/LastTest.log and build/asan/Testing/Temporary/LastTest.log"
