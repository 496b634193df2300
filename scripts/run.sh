#!/usr/bin/env bash
# Installs what is missing, builds the game, and starts it. Arguments go to
# the game (for instance a saved game to open). Without a display it says so
# and writes a screenshot of the game instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target palabrum

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    shot=build/palabrum-screenshot.png
    echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set)."
    echo "Writing a screenshot of the game to $shot instead."
    QT_QPA_PLATFORM=offscreen build/release/shell/palabrum --screenshot "$shot" "$@"
    exit
fi
exec build/release/shell/palabrum "$@"
