#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the upstream release tarball pontelo-VERSION.tar.xz (VERSION from
# debian/changelog) in OUT_DIR and prints its path.
# Usage: release-tarball.sh OUT_DIR [REVISION]
# With a revision (a tag, HEAD) the tarball holds that commit; without one,
# the tracked files as they are in the working tree, so that the test command
# checks uncommitted changes too (new files must be added to git first).
# The same revision gives the same bytes: git archive stores the files in the
# tree's order with the commit's time, owner 0 and normalised modes, and xz
# compresses on one thread.
set -euo pipefail
out="$(realpath -m "${1:?output directory}")"
cd "$(dirname "$0")/.."
if [ $# -gt 1 ]; then
    rev="$(git rev-parse --verify "$2^{commit}")"
else
    # A commit of the working tree that changes nothing in the repository,
    # dated as HEAD so that an unchanged tree gives HEAD's tarball's times.
    date="$(git log -1 --format=%cI HEAD)"
    rev="$(GIT_AUTHOR_DATE="$date" GIT_COMMITTER_DATE="$date" GIT_AUTHOR_NAME=release \
        GIT_AUTHOR_EMAIL=release@localhost GIT_COMMITTER_NAME=release \
        GIT_COMMITTER_EMAIL=release@localhost git stash create)"
    rev="${rev:-$(git rev-parse HEAD)}"
fi
version="$(git show "$rev:debian/changelog" | sed -n '1s/^pontelo (\([0-9][0-9.]*\)-[^)]*).*/\1/p')"
[ -n "$version" ] || { echo "debian/changelog names no release" >&2; exit 1; }
mkdir -p "$out"
tarball="$out/pontelo-$version.tar.xz"
# debian/ stays out (.gitattributes); the build reads the version and date
# from the changelog's newest entry, which goes in as RELEASE.
release="$(mktemp -d)"
trap 'rm -rf "$release"' EXIT
git show "$rev:debian/changelog" | sed '/^ -- /q' >"$release/RELEASE"
git archive --format=tar --prefix="pontelo-$version/" --add-file="$release/RELEASE" "$rev" |
    xz -6 --threads=1 >"$tarball.tmp"
mv "$tarball.tmp" "$tarball"
echo "$tarball"
