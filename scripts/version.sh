#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# Prints the version, 0.3.0: that of the newest entry of debian/changelog
# (or of the changelog given, - for standard input), without the packages'
# revision. CMake reads it there too, in cmake/Release.cmake.
#   scripts/version.sh [CHANGELOG]
set -euo pipefail
changelog=${1:-$(dirname "$0")/../debian/changelog}
version=$(sed -n '1s/^clickshow (\([0-9]*\.[0-9]*\.[0-9]*\)[-)].*/\1/p' "$changelog")
[[ -n $version ]] || { echo "debian/changelog: the newest entry names no version such as 0.3.0-1" >&2; exit 1; }
echo "$version"
