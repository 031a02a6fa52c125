#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Builds the web page into build-web/, to be served as static files: the
# page, its one script and one .wasm (the show, its canvas and the
# players' rules, compiled by emscripten), and the captions' face with its
# licence.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build-web"
cd "$here"

# The captions' text, from the design itself: show-trace, built with no
# toolkit (the core preset), tells it.
cmake --preset core >/dev/null
cmake --build --preset core --target show-trace >/dev/null
design=$("$here/build-core/tools/show-trace" --design)

# Node.js from elsewhere does not look where Debian keeps the acorn parser
# that emscripten's tools load.
export NODE_PATH=/usr/share/nodejs
emcmake cmake --preset web >/dev/null
cmake --build --preset web
mkdir -p "$out"
cp web/index.html build-web-cmake/web/clickshow.js build-web-cmake/web/clickshow.wasm "$out/"

# P052, the Palatino-like face the window's captions use, with only the
# glyphs of the captions.
face=/usr/share/fonts/opentype/urw-base35/P052-Roman.otf
captions=$(node -e 'process.stdout.write(JSON.parse(process.argv[1]).captions.map((c) => c.text).join(""))' "$design")
if [[ ! -f "$out/p052.woff2" || "$face" -nt "$out/p052.woff2" || "$here/show/design.h" -nt "$out/p052.woff2" ]]; then
    pyftsubset "$face" --text="$captions" --flavor=woff2 --layout-features='kern' --no-hinting \
        --desubroutinize --output-file="$out/p052.woff2"
fi
cp /usr/share/doc/fonts-urw-base35/copyright "$out/p052-licence.txt"
echo "the page is in $out"
