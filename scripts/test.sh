#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# Usage: scripts/test.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
shift || true

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
sanitize="$(sed -n 's/^KELVORA_SANITIZE:STRING=//p' "$build/CMakeCache.txt")"

# The web edition, built with emscripten and tested in headless chromium against this build's tools.
# The sanitizer build leaves it out (the browser runs the WebAssembly, not this build), and so does
# KELVORA_WEB_TEST=0.
if [ -z "$sanitize" ] && [ "${KELVORA_WEB_TEST:-1}" != 0 ]; then
    site="$("$root/scripts/web.sh" "$build-web")"
    (cd "$root/tests/web" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error >/dev/null)
    cmake "$build" -DKELVORA_WEB_TESTS=ON -DKELVORA_WEB_SITE="$site" >/dev/null
else
    cmake "$build" -DKELVORA_WEB_TESTS=OFF >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"

# The Debian package, built by scripts/package.sh in a folder of its own and checked as an administrator
# meets it. The sanitizer build leaves it out (a package is never built with sanitizers), and so does
# KELVORA_PACKAGE_TEST=0.
if [ -z "$sanitize" ] && [ "${KELVORA_PACKAGE_TEST:-1}" != 0 ]; then
    echo "=== Debian package ==="
    build="$(cd "$build" && pwd)"
    (cd "$build" && "$root/scripts/package.sh" "$build-package") | tee "$build/package.log"
    deb="$(tail -n 1 "$build/package.log")" # package.sh ends with the path of the package
    "$root/tests/install/deb.sh" "$deb"
fi
