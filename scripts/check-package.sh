#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Checks a built package as a distribution would: its desktop entry and its
# AppStream metadata validate, and lintian finds neither an error nor a
# warning in it. Given the .changes of a build, lintian checks its source
# package too.
#   scripts/check-package.sh build-package/clickshow_0.3.0-1~deb12_amd64.changes
#   scripts/check-package.sh clickshow_0.3.0-1~deb12_amd64.deb
set -euo pipefail
package=${1:?usage: $0 PACKAGE.changes|PACKAGE.deb}
deb=$package
if [[ $package == *.changes ]]; then
    deb=$(dirname "$package")/$(grep -m1 -oE 'clickshow_[^ ]+\.deb$' "$package")
fi

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
# missing homepage, and that warning alone does not fail the check. Any
# other failure does, whether it says why or not.
if ! report=$(appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml 2>&1); then
    problems=$(grep -E '^[EW]:' <<<"$report" || true)
    if [[ -z $problems ]] || grep -qv 'url-homepage-missing' <<<"$problems"; then
        echo "$report"
        echo "appstreamcli validate failed" >&2
        exit 1
    fi
fi
echo "$report"
echo "== $(lintian --version)"
# Errors and warnings fail the check; notes are printed for a person.
lintian --fail-on error,warning --info "$package"
echo "package ok: $package"
