#!/usr/bin/env bash
# Renders the wave page with four live channels from the simulated drive, the measurement
# lines and an armed trigger, and saves the pictures under docs/screenshots/:
#   wave-live-first-record.png       while the first record arrives
#   wave-four-channels-triggered.png after the trigger stopped the capture
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-release}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j2 --target tevra_e2e_scope_test
mkdir -p docs/screenshots
QT_QPA_PLATFORM=offscreen TEVRA_SCREENSHOT_DIR="$PWD/docs/screenshots" \
    "build/$preset/tests/tevra_e2e_scope_test" --gtest_filter='LiveWave.*'
ls -l docs/screenshots/wave-*.png
