#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Builds the web page into build-web/: for servers, the page, its one
# script and one .wasm (the show, its canvas and the players' rules,
# compiled by emscripten) and the captions' face with its licence, each
# cacheable; and the same page as one file, clickshow.html, to open from a
# disk or a mail. One line a step; the compilers' messages, and the rest of
# a step's output only if it fails.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build-web"
cd "$here"
# Run from make or not, the build's own make says the same.
unset MAKEFLAGS MAKELEVEL MFLAGS
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Runs a step with its output in the log, shown only if it fails.
quiet() {
    "$@" >"$log" 2>&1 || { cat "$log" >&2; return 1; }
}
# Runs a build: what comes through is the compilers' own, not make's
# progress and directories.
build() {
    local status=0
    "$@" >"$log" 2>&1 || status=$?
    grep -Ev '^(\[ *[0-9]+%\] |g?make(\[[0-9]+\])?: (Entering|Leaving|\*\*\*))' "$log" >&2 || true
    return $status
}

# The captions' text, from the design itself: show-trace, built with no
# toolkit (the core preset), tells it.
echo "web: show-trace, for the design's values"
quiet cmake --preset core
build cmake --build --preset core --target show-trace
design=$("$here/build-core/tools/show-trace" --design)

# Node.js from elsewhere does not look where Debian keeps the acorn parser
# that emscripten's tools load.
export NODE_PATH=/usr/share/nodejs
echo "web: the script and the .wasm, with emscripten"
quiet emcmake cmake --preset web
build cmake --build --preset web
mkdir -p "$out"
cp build-web-cmake/web/clickshow.js build-web-cmake/web/clickshow.wasm "$out/"
# The page names the version it plays, for both of its forms.
version=$(scripts/version.sh)
sed "s|^<meta charset=\"utf-8\">\$|&\n<meta name=\"generator\" content=\"clickshow $version\">|" web/index.html >"$out/index.html"
grep -q "content=\"clickshow $version\"" "$out/index.html" ||
    { echo "web/index.html: no line <meta charset=\"utf-8\"> to name the version after" >&2; exit 1; }

# P052, the Palatino-like face the window's captions use, with only the
# glyphs of the captions.
echo "web: the captions' face"
face=/usr/share/fonts/opentype/urw-base35/P052-Roman.otf
captions=$(node -e 'process.stdout.write(JSON.parse(process.argv[1]).captions.map((c) => c.text).join(""))' "$design")
if [[ ! -f "$out/p052.woff2" || "$face" -nt "$out/p052.woff2" || "$here/show/design.h" -nt "$out/p052.woff2" ]]; then
    quiet pyftsubset "$face" --text="$captions" --flavor=woff2 --layout-features='kern' --no-hinting \
        --desubroutinize --output-file="$out/p052.woff2"
fi
cp /usr/share/doc/fonts-urw-base35/copyright "$out/p052-licence.txt"

echo "web: the page in one file"
quiet node web/onefile.mjs "$out"
echo "the page is in $out: index.html for a server, clickshow.html on its own"
