#!/usr/bin/env bash
# Sets everything up, builds, and starts the tool connected to the simulated demo drive.
# Extra arguments go to the tool (e.g. --admin to log in as administrator).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target tevra tevra-drive-sim tevra_program_folder
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run-demo: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "Start this script from a desktop session, or with X forwarding (ssh -X)." >&2
    echo "To see the windows without a display use scripts/screenshots.sh." >&2
    exit 1
fi
exec build/release/app/tevra --demo "$@"
