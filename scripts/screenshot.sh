#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Plays one show in a private Xvfb and saves the finished window as a PNG:
#   scripts/screenshot.sh docs/clickshow.png
set -euo pipefail
out=${1:-docs/clickshow.png}
here=$(cd "$(dirname "$0")/.." && pwd)
binary="$here/build/clickshow"

Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>/tmp/clickshow-shot.$$ &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true; rm -f /tmp/clickshow-shot.$$' EXIT
for _ in $(seq 100); do [[ -s /tmp/clickshow-shot.$$ ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 /tmp/clickshow-shot.$$)"

"$binary" &
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Form1$' | head -n1)
sleep 0.5
xdotool mousemove --window "$window" 20 180 click 1
sleep 5 # the show takes 3.4 s
mkdir -p "$(dirname "$out")"
import -window "$window" "$out"
echo "saved $out"
