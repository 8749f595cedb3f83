#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need, when any is missing.
set -euo pipefail

packages=(
    build-essential cmake g++ pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev qt6-image-formats-plugins
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core fonts-dejavu-extra
    xvfb xauth xdotool xclip x11-utils python3 python3-xlib
    desktop-file-utils appstream man-db groff-base dpkg-dev file lintian
    poppler-utils
)
if [ "${KELVORA_FUZZ:-}" = 1 ]; then packages+=(clang libclang-rt-14-dev); fi
# The web edition and its tests in a real browser (scripts/web.sh, KELVORA_WEB_TESTS).
# A node from elsewhere brings its own npm, which Debian's npm package would conflict with.
if [ "${KELVORA_WEB:-}" = 1 ]; then
    packages+=(emscripten chromium)
    command -v node >/dev/null || packages+=(nodejs)
    command -v npm >/dev/null || packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
