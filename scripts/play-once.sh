#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Plays one show of an installed clickshow in a private Xvfb and checks the
# picture it ends on, pixel for pixel, against the last frame of the show
# as the program itself records it.
#   scripts/play-once.sh [BINARY] [SCREENSHOT.png]
set -euo pipefail
binary=${1:-clickshow}
shot=${2:-/tmp/clickshow-play-once.png}
display_file=$(mktemp)
work=$(mktemp -d)
xvfb=
app=
cleanup() {
    [[ -z $app ]] || kill "$app" 2>/dev/null || true
    [[ -z $xvfb ]] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$display_file" "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do [[ -s "$display_file" ]] && break; sleep 0.05; done
[[ -s "$display_file" ]] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"

# The final picture as the program records it: the last frame, lossless.
"$binary" --record "$work/show.mkv" --fps 1 --hold 0 --quiet
ffmpeg -v error -i "$work/show.mkv" -update 1 -y "$work/final.png"

"$binary" &
app=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Form1$' | head -n1) || true
[[ -n $window ]] || { echo "no window titled Form1 showed within a minute"; exit 1; }
xdotool mousemove --window "$window" 20 180 click 1
# The show takes 3.3 s; a minute is only for a machine in trouble.
differing=
for _ in $(seq 600); do
    import -window "$window" "$shot"
    differing=$(compare -metric AE "$shot" "$work/final.png" null: 2>&1 || true)
    [[ $differing == 0 ]] && break
    sleep 0.1
done
[[ $differing == 0 ]] || { echo "the show did not end on its picture ($differing pixels differ); see $shot"; exit 1; }
echo "played one show: $shot"
