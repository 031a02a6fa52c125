#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Installs, from Debian's packages, what a task needs and the machine lacks:
#   scripts/install-deps.sh run       build the program and run it
#   scripts/install-deps.sh test      also the tests: X servers, window
#                                     managers, a Wayland compositor, tools,
#                                     Chromium and the tests' npm packages
#   scripts/install-deps.sh web       what builds the web page
#   scripts/install-deps.sh windows   what cross-builds the Windows programs
#   scripts/install-deps.sh package   also what builds and checks the .deb
#                                     (make test builds it too)
#   scripts/install-deps.sh chroot    what makes a Debian chroot
# Does nothing when all is there.
set -euo pipefail

# The captions' face is read and subset with fonttools.
run=(
    cmake g++ make pkg-config
    qt6-base-dev libx11-dev libxcb1-dev
    libavcodec-dev libavformat-dev libavutil-dev libswscale-dev
    qt6-wayland fonts-urw-base35 fonttools python3-fonttools
)
# emscripten, and fonttools (with brotli, for WOFF2) to subset the
# captions' face.
web=(
    make cmake emscripten fonttools python3-brotli fonts-urw-base35
)
# mingw-w64 for Windows, and the captions' face to carry in the programs.
windows=(
    make cmake python3 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 fonttools fonts-urw-base35
)
test=(
    "${package[@]}"
    "${web[@]}"
    "${windows[@]}"
    wine
    tesseract-ocr
    libxtst-dev fonts-dejavu-core
    xvfb xauth xdotool imagemagick ffmpeg webp
    openbox weston mutter dbus-daemon xscreensaver
    chromium
)
# debian/control's build dependencies, and the package's checks.
package=(
    "${run[@]}"
    build-essential dpkg-dev debhelper pkgconf lintian appstream desktop-file-utils
)
chroot=(debootstrap)

case "${1:-test}" in
    run) packages=("${run[@]}") ;;
    test) packages=("${test[@]}") ;;
    web) packages=("${web[@]}") ;;
    windows) packages=("${windows[@]}") ;;
    package) packages=("${package[@]}") ;;
    chroot) packages=("${chroot[@]}") ;;
    *) echo "usage: $0 [run|test|web|windows|package|chroot]" >&2; exit 2 ;;
esac

# The browser tests run on Node.js. A Node.js from elsewhere brings its own
# npm, which Debian's npm package would clash with: each only where its
# command is missing.
if [[ "${1:-test}" == test || "${1:-test}" == web ]]; then
    command -v node >/dev/null || packages+=(nodejs)
    command -v npm >/dev/null || packages+=(npm)
fi

# Wine's 64-bit loader is a package of its own where a release splits it out.
if [[ "${1:-test}" == test ]] && apt-cache show wine64 >/dev/null 2>&1; then
    packages+=(wine64)
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}"
    sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The browser tests' own packages, as the lock file gives them.
if [[ "${1:-test}" == test ]]; then
    browser="$(cd "$(dirname "$0")/.." && pwd)/tests/browser"
    if [[ ! -f "$browser/node_modules/.package-lock.json" || "$browser/package-lock.json" -nt "$browser/node_modules/.package-lock.json" ]]; then
        echo "Installing the browser tests' npm packages"
        npm ci --prefix "$browser" --no-audit --no-fund --loglevel=error
    fi
fi
