#!/usr/bin/env bash
# Installs what is missing, builds the game, and starts it. Arguments go to
# the game (for instance a saved game to open). Without a display it says so
# and writes a screenshot of the game instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
program=build/game/shell/palabrum
if [ ! -x "$program" ]; then
    echo "Building Palabrum (about 2 minutes the first time on two cores)..."
fi
cmake --preset game >/dev/null
cmake --build --preset game >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    shot=build/palabrum-screenshot.png
    echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): writing a screenshot instead."
    "$program" --screenshot "$shot" "$@"
    echo "The program: $program; its screenshot: $shot"
    exit
fi
echo "The program: $program"
exec "$program" "$@"
