#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Gathers into dist/ everything a person downloads, once scripts/dist.sh
# has built it, with its checksums: the packages for each Debian release,
# the Windows zip, the page as one file, the page's folder as a zip for a
# web server, and the source archive.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
# The same order of files wherever it runs.
export LC_ALL=C
version=$(scripts/version.sh)
rm -rf dist
mkdir -p dist
cp build-release/*/clickshow_*.deb build-release/clickshow-"$version".tar.gz \
    build-windows/clickshow-"$version"-windows.zip build-web/clickshow.html dist/
# The page's folder, for a server that wants separate, cacheable files.
# Debian's Python first, as for the Windows zip.
python=/usr/bin/python3
[[ -x $python ]] || python=python3
"$python" scripts/make-zip.py "dist/clickshow-$version-web.zip" build-web \
    index.html clickshow.js clickshow.wasm p052.woff2 p052-licence.txt
(cd dist && sha256sum -- * >SHA256SUMS)
echo "== dist/"
(cd dist && ls -l --time-style=+ -- * | awk '{print $5, $6}')
