#!/usr/bin/env bash
# Saves PNG screenshots of the login window, the main window connected to the simulated
# demo drive and the connection page into docs/screenshots/ (or the folder given), using a
# virtual X display. Extra arguments after the folder go to the tool (e.g. --admin).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/screenshots}"
shift || true
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target tevra tevra-drive-sim tevra_program_folder
mkdir -p "$out"
out="$(cd "$out" && pwd)"
# The demo writes into the program folder's Config.ini; keep the user's copy as it was.
program=build/release/app
backup="$(mktemp)"
cp "$program/Config.ini" "$backup"
trap 'cp "$backup" "$program/Config.ini"; rm -f "$backup"' EXIT
xvfb-run -a -s "-screen 0 1280x900x24" \
    "$program/tevra" --demo --screenshot "$out" "$@"
ls -l "$out"
