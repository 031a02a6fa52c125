#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Installs, from Debian's packages, what a task needs and the machine lacks:
#   scripts/install-deps.sh run       build the program and run it
#   scripts/install-deps.sh test      also the tests: X servers, window
#                                     managers, a Wayland compositor, tools
#   scripts/install-deps.sh package   also what builds and checks the .deb
#   scripts/install-deps.sh chroot    what makes a Debian chroot
# Does nothing when all is there.
set -euo pipefail

run=(
    cmake g++ make pkg-config
    qt6-base-dev libx11-dev libxcb1-dev
    libavcodec-dev libavformat-dev libavutil-dev libswscale-dev
    qt6-wayland fonts-urw-base35
)
test=(
    "${run[@]}"
    libxtst-dev fonts-dejavu-core
    xvfb xauth xdotool imagemagick ffmpeg webp
    openbox weston mutter dbus-daemon
)
package=(
    "${run[@]}"
    dpkg-dev file lintian appstream desktop-file-utils
)
chroot=(debootstrap)

case "${1:-test}" in
    run) packages=("${run[@]}") ;;
    test) packages=("${test[@]}") ;;
    package) packages=("${package[@]}") ;;
    chroot) packages=("${chroot[@]}") ;;
    *) echo "usage: $0 [run|test|package|chroot]" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
