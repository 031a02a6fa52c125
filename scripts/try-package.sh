#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Installs a built package into a clean Debian 12 chroot with apt-get, as a
# user would, and plays one show of the installed program under Xvfb there.
#   scripts/try-package.sh build-package/clickshow_0.2.0_amd64.deb [RELEASE]
set -euo pipefail
deb=$(realpath "${1:?usage: $0 PACKAGE.deb [RELEASE]}")
release=${2:-bookworm}
here=$(cd "$(dirname "$0")/.." && pwd)
name=$(basename "$deb")
exec "$here/scripts/debian-chroot.sh" "$release" "
    set -e
    apt-get install -y -qq /files/$name
    dpkg -s clickshow | grep -E '^(Status|Version|Depends):'
    clickshow --version
    apt-get install -y -qq --no-install-recommends xvfb xauth xdotool imagemagick ffmpeg
    /src/scripts/play-once.sh clickshow /out/installed-$release.png
" "$deb"
