#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# scripts/check-package.sh against what appstreamcli answers, one fake
# appstreamcli a case (and a lintian that finds nothing), on a package of
# the program's own desktop entry and metadata.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/deb/DEBIAN" "$work/deb/usr/share/applications" "$work/deb/usr/share/metainfo" "$work/bin"
printf 'Package: clickshow\nVersion: 0\nArchitecture: all\nMaintainer: x <x@example.org>\nDescription: x\n' \
    >"$work/deb/DEBIAN/control"
cp "$here"/data/*.desktop "$work/deb/usr/share/applications/"
cp "$here"/data/*.metainfo.xml "$work/deb/usr/share/metainfo/"
dpkg-deb -b "$work/deb" "$work/clickshow.deb" >/dev/null
printf '#!/bin/sh\nprintf "%%b" "$REPORT"\nexit "$STATUS"\n' >"$work/bin/appstreamcli"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/lintian"
chmod +x "$work/bin/"*

homepage='W: org.clickshow.clickshow:~: url-homepage-missing\n'
# what appstreamcli prints | its status | check-package.sh's status
cases=(
    "|3|1"
    "$homepage|3|0"
    "${homepage}W: org.clickshow.clickshow:8: summary-too-long\n|3|1"
)
failed=0
for case in "${cases[@]}"; do
    IFS='|' read -r report status expected <<<"$case"
    actual=0
    output=$(REPORT=$report STATUS=$status PATH="$work/bin:$PATH" "$here/scripts/check-package.sh" "$work/clickshow.deb" 2>&1) ||
        actual=$?
    if [[ $actual != "$expected" ]]; then
        echo "FAIL: appstreamcli saying \"$report\" with status $status: check-package.sh gave $actual, not $expected"
        echo "$output"
        failed=1
    fi
done
exit $failed
