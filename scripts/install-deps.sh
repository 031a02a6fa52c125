#!/usr/bin/env bash
# Installs, from Debian's packages, what a task needs and the machine lacks:
#   scripts/install-deps.sh run       build and run the program
#   scripts/install-deps.sh test      also the tests: X servers, a window
#                                     manager, a Wayland compositor, tools
# Does nothing when all is there.
set -euo pipefail

run=(
    cmake g++ make
    qt6-base-dev libxcb1-dev
    qt6-wayland fonts-urw-base35
)
test=(
    "${run[@]}"
    libx11-dev libxtst-dev
    xvfb xauth xdotool imagemagick
    openbox weston
)

case "${1:-test}" in
    run) packages=("${run[@]}") ;;
    test) packages=("${test[@]}") ;;
    *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
