#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Cross-builds the Windows program and screen saver with mingw-w64 into
# build-windows/: clickshow.exe, clickshow.scr and the zip a Windows user
# downloads.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

# The captions' text, from the design itself: show-trace, built with no
# toolkit (the core preset), tells it; the captions' face is subset to it.
cmake --preset core >/dev/null
cmake --build --preset core --target show-trace >/dev/null
captions=$("$here/build-core/tools/show-trace" --design |
    python3 -c 'import json, sys; print("".join(c["text"] for c in json.load(sys.stdin)["captions"]), end="")')

cmake --preset windows -DCLICKSHOW_CAPTION_TEXT="$captions" >/dev/null
cmake --build --preset windows
echo "the Windows programs and their zip are in $here/build-windows"
