#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Builds and checks everything a person downloads, into dist/ with its
# SHA256SUMS (make dist): the source archive of the last commit; the page
# and the Windows programs, built here; the package for Debian 12 and for
# Debian 13, each built and checked by lintian in a clean chroot of its
# release, then installed with apt in a fresh chroot of it, where it
# records and plays a show. One line a step, with its time; a step's
# output is in build-release/STEP.log, and shown if it fails.
# CLICKSHOW_TRY_PACKAGES=0 leaves out the installs (make reproduce does).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
releases=(bookworm trixie)
logs=build-release
rm -rf build-release
mkdir -p build-release

step() {
    local name=$1 start=$SECONDS
    shift
    printf 'dist: %-18s' "$name"
    if "$@" >"$logs/$name.log" 2>&1; then
        echo " $((SECONDS - start)) s"
    else
        echo " failed after $((SECONDS - start)) s:"
        tail -n 80 "$logs/$name.log"
        echo "dist: the whole output is in $logs/$name.log" >&2
        exit 1
    fi
}

started=$SECONDS
step source scripts/source-archive.sh build-release
grep '^note:' "$logs/source.log" >&2 || true
archive=$(tail -n 1 "$logs/source.log")
step web make --no-print-directory web
step windows make --no-print-directory windows
for release in "${releases[@]}"; do
    # The pristine chroot, the first time: debootstrap.
    step "chroot-$release" scripts/debian-chroot.sh "$release" true
    step "package-$release" scripts/build-deb.sh "$archive" "build-release/$release" "$release"
done
if [[ ${CLICKSHOW_TRY_PACKAGES:-1} != 0 ]]; then
    for release in "${releases[@]}"; do
        step "install-$release" scripts/try-package.sh build-release/"$release"/clickshow_*.deb "$release"
    done
fi
scripts/collect-dist.sh
echo "dist: $((SECONDS - started)) s in all"
