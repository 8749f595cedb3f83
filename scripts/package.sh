#!/usr/bin/env bash
# Builds the Debian package kelvora_<version>_<architecture>.deb into the current directory, from a build
# of its own (build-package) configured for /usr with Debian's hardening flags. Install it with
#     sudo apt install ./kelvora_*.deb
# Usage: scripts/package.sh [build-dir]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-package}"
out="$PWD"

"$root/scripts/deps.sh"
# The flags every Debian package is built with (fortified functions, stack protector, read-only
# relocations, immediate binding); they are taken when the build folder is first configured.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DKELVORA_TESTS=OFF -DKELVORA_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)

deb="$(cd "$build" && ls kelvora_*.deb)"
cp "$build/$deb" "$out/$deb"
echo "$out/$deb"
