#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Writes the source archive of the committed tree (HEAD),
# clickshow-VERSION.tar.gz, into DIR and prints its path. It is the same
# bytes for the same commit wherever and whenever it is made: git archive
# dates every file as the commit, and gzip -n records no name or time.
#   scripts/source-archive.sh DIR
set -euo pipefail
dir=${1:?usage: $0 DIR}
here=$(cd "$(dirname "$0")/.." && pwd)
version=$(git -C "$here" show HEAD:debian/changelog | "$here/scripts/version.sh" -)
if [[ -n $(git -C "$here" status --porcelain --untracked-files=no) ]]; then
    echo "note: the source archive and the packages are of the last commit; uncommitted changes are not in them" >&2
fi
mkdir -p "$dir"
archive="$dir/clickshow-$version.tar.gz"
git -C "$here" archive --format=tar --prefix="clickshow-$version/" HEAD | gzip -9 -n >"$archive.partial"
mv "$archive.partial" "$archive"
echo "$archive"
