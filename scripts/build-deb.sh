#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Builds the Debian package for the release it runs on, from the source
# archive, with Debian's own tools (dpkg-buildpackage and debhelper), into
# DIR, and checks it there:
#   scripts/build-deb.sh clickshow-0.3.0.tar.gz DIR
# or for RELEASE, in a clean chroot of it that installs only the build's
# dependencies and the checks' tools, building in /build there; the .deb
# and the build's log come into DIR:
#   scripts/build-deb.sh clickshow-0.3.0.tar.gz DIR trixie
# The package's version is the changelog's with the release appended
# (0.3.0-1~deb13 on Debian 13), so that each release's package has a name
# of its own. The entry that says so is dated a second after the entry
# before it, as lintian wants a newer date; dpkg-buildpackage sets
# SOURCE_DATE_EPOCH from it. The build's output is in DIR/build.log,
# shown if it fails.
set -euo pipefail
archive=$(realpath "${1:?usage: $0 ARCHIVE.tar.gz DIR}")
dir=${2:?usage: $0 ARCHIVE.tar.gz DIR}
here=$(cd "$(dirname "$0")/.." && pwd)
name=$(basename "$archive" .tar.gz)
version=${name#clickshow-}

if [[ -n ${3:-} ]]; then
    mkdir -p "$dir"
    rm -f "$dir"/clickshow_*.deb "$dir/build.log"
    CLICKSHOW_CHROOT_OUT=$(realpath "$dir") exec "$here/scripts/debian-chroot.sh" "$3" "
        set -e
        tar -xzf /files/$name.tar.gz -C /tmp
        apt-get build-dep -y -qq --no-install-recommends /tmp/$name/ >/dev/null
        apt-get install -y -qq --no-install-recommends lintian appstream desktop-file-utils >/dev/null
        /tmp/$name/scripts/build-deb.sh /files/$name.tar.gz /build || { cp /build/build.log /out/; exit 1; }
        cp /build/clickshow_*.deb /build/build.log /out/
    " "$archive"
fi

. /etc/os-release
release=${VERSION_CODENAME:-unstable}
suffix=
if [[ -n ${VERSION_ID:-} ]]; then
    [[ $ID == debian ]] && suffix="~deb$VERSION_ID" || suffix="~$ID$VERSION_ID"
fi

mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
rm -rf "${dir:?}/$name" "$dir"/clickshow_* "$dir"/clickshow-dbgsym_*
cp "$archive" "$dir/clickshow_$version.orig.tar.gz"
tar -xzf "$archive" -C "$dir"
cd "$dir/$name"
# The packages' tools date no file later than the changelog: were its date
# in the future, the files the build makes would keep the times they were
# made at.
if [[ $(dpkg-parsechangelog -S Timestamp) -gt $(date +%s) ]]; then
    echo "debian/changelog: the newest entry is dated in the future, $(dpkg-parsechangelog -S Date)" >&2
    exit 1
fi
if [[ -n $suffix ]]; then
    date=$(LC_ALL=C date -u -R -d "@$(($(dpkg-parsechangelog -S Timestamp) + 1))")
    {
        echo "clickshow ($(dpkg-parsechangelog -S Version)$suffix) $release; urgency=medium"
        echo
        echo "  * Built for ${PRETTY_NAME:-$ID $VERSION_ID}."
        echo
        echo " -- $(dpkg-parsechangelog -S Maintainer)  $date"
        echo
        cat debian/changelog
    } >debian/changelog.release
    mv debian/changelog.release debian/changelog
fi
# The override is for a tag Debian 12's lintian does not know, and would
# call an error there.
if [[ $ID == debian && ${VERSION_ID:-99} -lt 13 ]]; then
    rm debian/clickshow.lintian-overrides
fi
echo "== dpkg-buildpackage: clickshow $(dpkg-parsechangelog -S Version) for $release"
DEB_BUILD_OPTIONS="terse ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -us -uc -J"$(nproc)" >"$dir/build.log" 2>&1 || {
    tail -n 100 "$dir/build.log" >&2
    echo "dpkg-buildpackage failed: the whole output is in $dir/build.log" >&2
    exit 1
}
"$here/scripts/check-package.sh" "$dir"/clickshow_*_"$(dpkg --print-architecture)".changes
