#!/usr/bin/env bash
# Builds the web edition with emscripten into a folder of static files (index.html, the WebAssembly, its
# loader, the page's script and style), ready for any static web host:
#     python3 -m http.server 8000 --bind 127.0.0.1 --directory build-web/site
# Usage: scripts/web.sh [build-dir]; prints the folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-web}"

KELVORA_WEB=1 "$root/scripts/deps.sh" >&2
# emscripten's tools run under node and need Debian's JavaScript modules, wherever node came from.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKELVORA_GUI=OFF -DKELVORA_TESTS=OFF \
    -DKELVORA_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target kelvora_web >&2
echo "$build/site"
