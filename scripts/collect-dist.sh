#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Gathers into dist/ everything a person downloads, once make package, make
# web and make windows have built it, with its checksums:
#   the Debian package, the Windows zip, the page as one file, and the
#   page's folder as a zip for a web server.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
deb=$(ls build-package/clickshow_*_amd64.deb)
version=${deb#build-package/clickshow_}
version=${version%%_*}
rm -rf dist
mkdir -p dist
cp "$deb" build-windows/clickshow-"$version"-windows.zip build-web/clickshow.html dist/
# The page's folder, for a server that wants separate, cacheable files.
(cd build-web && cmake -E tar cf "$here/dist/clickshow-$version-web.zip" --format=zip --mtime=2026-01-01 \
    index.html clickshow.js clickshow.wasm p052.woff2 p052-licence.txt)
(cd dist && sha256sum -- * > SHA256SUMS)
echo "== dist/"
(cd dist && ls -l --time-style=+ -- * | awk '{print $5, $6}')
