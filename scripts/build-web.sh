#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Builds the web page into build-web/, to be served as static files: the
# page, its one script and one .wasm (the show and its canvas, compiled by
# emscripten), and the captions' face with its licence.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build-web"
work="$here/build-web-cmake"

# Node.js from elsewhere does not look where Debian keeps the acorn parser
# that emscripten's tools load.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S "$here/web" -B "$work" -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$work" -j2
mkdir -p "$out"
cp "$here/web/index.html" "$work/clickshow.js" "$work/clickshow.wasm" "$out/"

# P052, the Palatino-like face the window's captions use, with only the
# glyphs of the captions (from the design's own header).
face=/usr/share/fonts/opentype/urw-base35/P052-Roman.otf
captions=$(sed -n 's/.*k[A-Za-z]*CaptionAtStart = "\(.*\)";.*/\1/p' "$here/show/design.h" | tr -d '\n')
if [[ ! -f "$out/p052.woff2" || "$face" -nt "$out/p052.woff2" || "$here/show/design.h" -nt "$out/p052.woff2" ]]; then
    pyftsubset "$face" --text="$captions" --flavor=woff2 --layout-features='kern' --no-hinting \
        --desubroutinize --output-file="$out/p052.woff2"
fi
cp /usr/share/doc/fonts-urw-base35/copyright "$out/p052-licence.txt"
echo "the page is in $out"
