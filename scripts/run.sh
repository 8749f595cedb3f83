#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in the current directory
# (Kelvora keeps its settings in ./Kelvora.ini).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target kelvora

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found. Kelvora is a desktop program; on a machine without a screen run it as"
    echo "    xvfb-run -a $build/app/kelvora"
    echo "or export DISPLAY to reach an X server."
    exit 1
fi
exec "$build/app/kelvora"
