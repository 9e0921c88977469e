#!/usr/bin/env bash
# Sets everything up and runs every test: formatting, the full optimised build with all
# tests (core, windows on the offscreen platform, end-to-end with the simulated drive),
# then the core under AddressSanitizer and UndefinedBehaviorSanitizer with a short run of
# every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/check-format.sh

cmake --preset release
cmake --build --preset release
ctest --preset release

cmake --preset asan
cmake --build --preset asan
ctest --preset asan
if [ -x scripts/fuzz.sh ]; then
    scripts/fuzz.sh smoke
fi
echo "All tests passed."
