#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# What the Windows program and screen saver hold over many shows in a loop
# under Wine: GDI and USER objects, working set and handles as Windows
# counts them (resourcecount.exe), every 20 shows. Xvfb, openbox and a Wine
# prefix of its own; make windows first. Takes 3.3 s a show.
#   bench/windows-resources.sh [SHOWS]
set -euo pipefail
shows=${1:-200}
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-windows"
work=$(mktemp -d)
pids=()
cleanup() {
    kill "${pids[@]}" 2>/dev/null || true
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$work/prefix"
Xvfb :77 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=:77
sleep 1
openbox >/dev/null 2>&1 &
pids+=($!)
wineboot -i >/dev/null 2>&1
# The screen saver's finale as short as the window's: a show after a show.
wine reg add 'HKCU\Software\clickshow' /v FinaleSeconds /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine "$build/clickshow.exe" --loop 0 >/dev/null 2>&1 &
pids+=($!)
# The screen saver once the window is up: a window that took the screen
# after it would end it.
sleep 5
wine "$build/clickshow.scr" /s >/dev/null 2>&1 &
pids+=($!)
sleep 2
interval=$(awk -v s=20 'BEGIN { printf "%d", s * 18514000 * 180e-9 + 0.5 }')
samples=$((shows / 20 + 1))
for program in clickshow.exe clickshow.scr; do
    wine "$build/resourcecount.exe" "$program" "$interval" "$samples" >"$work/$program.txt" 2>/dev/null &
    pids+=($!)
done
wait "${pids[@]: -2}"
for program in clickshow.exe clickshow.scr; do
    echo "== $program, a line every 20 shows"
    cat "$work/$program.txt"
done
