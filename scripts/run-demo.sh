#!/usr/bin/env bash
# Sets everything up, builds, and starts the tool connected to the simulated demo drive.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/app/tevra --demo "$@"
