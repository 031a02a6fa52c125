#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Installs a built package into a fresh chroot of its Debian release with
# apt-get, as a user would, and there asks for its help, records a show
# and plays one show of the installed program under Xvfb.
#   scripts/try-package.sh build-release/trixie/clickshow_0.3.0-1~deb13_amd64.deb trixie
set -euo pipefail
deb=$(realpath "${1:?usage: $0 PACKAGE.deb [RELEASE]}")
release=${2:-bookworm}
here=$(cd "$(dirname "$0")/.." && pwd)
name=$(basename "$deb")
exec "$here/scripts/debian-chroot.sh" "$release" "
    set -e
    apt-get install -y -qq /files/$name >/dev/null
    dpkg -s clickshow | grep -E '^(Status|Version|Depends):'
    clickshow --version
    clickshow --help >/tmp/help
    head -n 3 /tmp/help
    cd /tmp
    clickshow --record x.mp4 --quiet
    apt-get install -y -qq --no-install-recommends xvfb xauth xdotool imagemagick ffmpeg >/dev/null
    ffprobe -v error -select_streams v -count_frames -show_entries stream=codec_name,width,height,nb_read_frames -of csv x.mp4
    /src/scripts/play-once.sh clickshow /out/installed-$release.png
" "$deb"
