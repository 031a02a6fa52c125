#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Builds every download again from a fresh clone of the last commit, in a
# folder of its own, and compares it byte for byte with dist/SHA256SUMS,
# naming each file that differs, is missing or is new (make reproduce,
# after make dist). The clone uses this clone's chroots.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
[[ -f dist/SHA256SUMS ]] || { echo "reproduce: no dist/SHA256SUMS: make dist first" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/clickshow-reproduce.XXXXXX")
trap 'rm -rf --one-file-system "$work"' EXIT
commit=$(git rev-parse HEAD)
git clone -q "$here" "$work/clickshow"
git -C "$work/clickshow" checkout -q --detach "$commit"
echo "reproduce: ${commit:0:12} again in $work/clickshow"
CLICKSHOW_CHROOTS=${CLICKSHOW_CHROOTS:-$here/build-chroot} CLICKSHOW_TRY_PACKAGES=0 \
    make -C "$work/clickshow" --no-print-directory dist >"$work/dist.log" 2>&1 ||
    { cat "$work/dist.log"; echo "reproduce: the second build failed" >&2; exit 1; }
grep '^dist: ' "$work/dist.log"

again="$work/clickshow/dist"
differing=0
while read -r sum name; do
    if [[ ! -f $again/$name ]]; then
        echo "reproduce: $name is not in the second build"
        differing=$((differing + 1))
    elif [[ $(sha256sum <"$again/$name") != "$sum  -" ]]; then
        echo "reproduce: $name differs"
        differing=$((differing + 1))
    fi
done <dist/SHA256SUMS
for file in "$again"/*; do
    name=$(basename "$file")
    if [[ $name != SHA256SUMS ]] && ! grep -q "  $name\$" dist/SHA256SUMS; then
        echo "reproduce: $name is new in the second build"
        differing=$((differing + 1))
    fi
done
if ! cmp -s dist/SHA256SUMS "$again/SHA256SUMS"; then
    echo "reproduce: SHA256SUMS differs"
    differing=$((differing + 1))
fi
if [[ $differing -gt 0 ]]; then
    echo "reproduce: the second build differs from dist/ in $differing files" >&2
    exit 1
fi
echo "reproduce: all $(wc -l <dist/SHA256SUMS) files and SHA256SUMS the same bytes"
