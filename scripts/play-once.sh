#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Plays one show of an installed clickshow in a private Xvfb and checks the
# picture it ends on: white, with the emblem's rings in their colours.
#   scripts/play-once.sh [BINARY] [SCREENSHOT.png]
set -euo pipefail
binary=${1:-clickshow}
shot=${2:-/tmp/clickshow-play-once.png}
display_file=$(mktemp)
xvfb=
app=
cleanup() {
    [[ -z $app ]] || kill "$app" 2>/dev/null || true
    [[ -z $xvfb ]] || kill "$xvfb" 2>/dev/null || true
    rm -f "$display_file"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do [[ -s "$display_file" ]] && break; sleep 0.05; done
[[ -s "$display_file" ]] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"

"$binary" &
app=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Form1$' | head -n1) || true
[[ -n $window ]] || { echo "no window titled Form1 showed within a minute"; exit 1; }
sleep 0.5
xdotool mousemove --window "$window" 20 180 click 1
sleep 5 # the show takes 3.3 s
import -window "$window" "$shot"

# Whether the 5 x 5 pixels around (x, y) show a colour.
shows() {
    convert "$shot" -crop "5x5+$(($1 - 2))+$(($2 - 2))" -format %c histogram:info: | grep -qi "#$3"
}
failed=0
check() {
    shows "$@" || { echo "no #$3 around ($1, $2)"; failed=1; }
}
check 20 180 FFFFFF   # the white backdrop, clear of the emblem and captions
check 95 135 0000FF   # each ring's leftmost point, 40 px left of its centre
check 195 135 000000
check 295 135 FF0000
check 145 185 FFCC66
check 245 185 00FF00
[[ $failed -eq 0 ]] || { echo "the show did not end on its picture; see $shot"; exit 1; }
echo "played one show: $shot"
