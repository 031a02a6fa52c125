#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Runs a command as root in a fresh, clean Debian chroot (debootstrap,
# minbase) that holds a clean clone of this repository's HEAD in /src and
# the files given after the command in /files; what it leaves in /out is
# kept in build-chroot/out (or CLICKSHOW_CHROOT_OUT):
#   scripts/debian-chroot.sh trixie 'apt-get install -y make && cd /src && make test'
# The pristine chroot is kept in build-chroot/RELEASE.pristine and copied
# for every run; the packages apt fetches are kept in build-chroot/RELEASE.apt
# for the next run. CLICKSHOW_CHROOTS names another folder for both, to
# share them between clones. Needs root. Not part of `make test`.
set -euo pipefail
release=${1:?usage: $0 RELEASE COMMAND}
command=${2:?usage: $0 RELEASE COMMAND [FILE...]}
shift 2
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
here=$(cd "$(dirname "$0")/.." && pwd)
base=${CLICKSHOW_CHROOTS:-$here/build-chroot}
out=${CLICKSHOW_CHROOT_OUT:-$base/out}
pristine="$base/$release.pristine"

"$here/scripts/install-deps.sh" chroot
mkdir -p "$base" "$out"
if [[ ! -d "$pristine" ]]; then
    echo "debootstrap $release (minbase) from $mirror"
    debootstrap --variant=minbase "$release" "$pristine.partial" "$mirror"
    # A mount left behind would be copied into every run.
    ! grep -q " $pristine.partial/" /proc/self/mounts
    mv "$pristine.partial" "$pristine"
fi
# apt downloads as its own user, into a folder that is that user's.
apt_user=$(awk -F: '$1 == "_apt" {print $3}' "$pristine/etc/passwd")
mkdir -p "$base/$release.apt/partial"
chown "${apt_user:-0}:0" "$base/$release.apt/partial"
chmod 700 "$base/$release.apt/partial"
# A folder of its own, so that runs can go side by side.
root=$(mktemp -d "$base/$release.run.XXXXXX")
chmod 755 "$root"

mounts=(out var/cache/apt/archives dev/shm dev/pts dev sys proc)
cleanup() {
    for mount in "${mounts[@]}"; do
        umount -l "$root/$mount" 2>/dev/null || true
    done
    # Never remove through a mount that is still there: it would take the
    # host's /dev or /proc with it.
    if grep -q " $root/" /proc/self/mounts; then
        echo "debian-chroot: still mounted under $root, not removing it:" >&2
        grep " $root/" /proc/self/mounts >&2
        return 1
    fi
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT
cp -a "$pristine/." "$root/"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# The host's network as it is: its name servers, and any certificate
# authority it trusts for Node.js (a proxy's, say) trusted inside too.
extra_ca=()
if [[ -n "${NODE_EXTRA_CA_CERTS:-}" && -f "$NODE_EXTRA_CA_CERTS" ]]; then
    cp "$NODE_EXTRA_CA_CERTS" "$root/etc/host-ca-certificates.crt"
    extra_ca=(NODE_EXTRA_CA_CERTS=/etc/host-ca-certificates.crt)
fi
mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --bind /dev "$root/dev"
mount -t devpts devpts "$root/dev/pts" -o newinstance,ptmxmode=0666
mount -t tmpfs shm "$root/dev/shm" -o mode=1777
mount --bind "$base/$release.apt" "$root/var/cache/apt/archives"
git clone -q "$here" "$root/src"
mkdir -p "$root/files" "$root/out"
mount --bind "$out" "$root/out"
[[ $# -eq 0 ]] || cp "$@" "$root/files/"

echo "== $release: $command"
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "${extra_ca[@]}" /bin/bash -c "umask 022 && apt-get update -qq && $command"
