#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Checks a built .deb as a distribution would: its desktop entry and its
# AppStream metadata validate, and lintian finds no error in it.
#   scripts/check-package.sh build-package/clickshow_0.2.0_amd64.deb
set -euo pipefail
deb=${1:?usage: $0 PACKAGE.deb}

contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$deb" "$contents"

echo "== contents"
dpkg-deb -c "$deb" | awk '{print $6}'
echo "== control"
dpkg-deb -f "$deb" Package Version Depends Recommends Section
echo "== desktop-file-validate"
desktop-file-validate "$contents"/usr/share/applications/*.desktop
echo "== appstreamcli validate --no-net"
# The project has no web site of its own: newer AppStream warns of the
# missing homepage, and that warning alone does not fail the check.
if ! report=$(appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml 2>&1); then
    if grep -E '^[EW]:' <<<"$report" | grep -qv 'url-homepage-missing'; then
        echo "$report"
        exit 1
    fi
fi
echo "$report"
echo "== lintian"
# Errors fail the check; warnings and notes are printed for a person.
lintian --fail-on error --info "$deb"
echo "package ok: $deb"
