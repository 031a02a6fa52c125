#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the
# benchmark need and the machine lacks. Does nothing when all is there.
set -euo pipefail

packages=(
    cmake g++ make
    qt6-base-dev
    libx11-dev libxtst-dev libxcb1-dev
    xvfb xauth xdotool imagemagick
    fonts-urw-base35
)

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
