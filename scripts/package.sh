#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source and binary packages from the release tarball, as a
# distribution builds them, and prints the path of the binary package.
# Usage: package.sh [OUT_DIR [REVISION]]  (default build-package/, emptied
# first; the revision as for scripts/release-tarball.sh: default the tracked
# files of the working tree)
# OUT_DIR receives the .orig tarball, the source package, the binary
# packages with their .changes, the build log pontelo_VERSION_ARCH.build and
# the unpacked source tree pontelo-VERSION/, built in obj-TRIPLET/ (where the
# test command's end-to-end checks find the program and the test drivers).
# DEB_BUILD_OPTIONS is passed on: nocheck builds no tests and runs none.
set -euo pipefail
out="$(realpath -m "${1:-$(dirname "$0")/../build-package}")"
shift || true
cd "$(dirname "$0")/.."
bash scripts/setup.sh --package >&2
rm -rf "$out"
tarball="$(bash scripts/release-tarball.sh "$out" "$@")"
version="$(basename "$tarball" .tar.xz)"
version="${version#pontelo-}"
mv "$tarball" "$out/pontelo_$version.orig.tar.xz"
tar -xf "$out/pontelo_$version.orig.tar.xz" -C "$out"
src="$out/pontelo-$version"
# The packaging of the same revision (or of the working tree, as the tarball).
if [ $# -gt 0 ]; then
    # The folder's own tree: .gitattributes keeps debian/ out of the commit's.
    git archive --format=tar --prefix=debian/ "$1:debian" | tar -xf - -C "$src"
else
    git ls-files -z debian | tar -cf - --null -T - | tar -xf - -C "$src"
fi
cd "$src"
if ! dpkg-checkbuilddeps >/dev/null 2>&1; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get build-dep -y -qq ./ >&2
fi
debversion="$(dpkg-parsechangelog -SVersion)"
arch="$(dpkg-architecture -qDEB_HOST_ARCH)"
log="$out/pontelo_${debversion}_$arch.build"
if ! dpkg-buildpackage -us -uc -j"$(nproc)" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "dpkg-buildpackage failed; its log: $log" >&2
    exit 1
fi
grep -E '^(100% tests passed|[0-9]+% tests passed)' "$log" >&2 || true
echo "$out/pontelo_${debversion}_$arch.deb"
