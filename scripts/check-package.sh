#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian packages the way a sponsor does: lintian on the source
# and binary packages, blhc on the build log, a second build under other
# conditions that must give the same bytes, the package's autopkgtest, and
# install, start and removal. A pontelo installed before the check is
# installed after it (the package built here takes its place).
# Usage: check-package.sh [OUT_DIR]  (a folder scripts/package.sh has built;
# without one, package.sh builds in build-package/ first)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --test >/dev/null
if [ $# -gt 0 ]; then
    out="$(realpath "$1")"
else
    out="$(realpath -m build-package)"
    bash scripts/package.sh "$out" >/dev/null
fi
changes="$(ls "$out"/pontelo_*.changes)"
dsc="$(ls "$out"/pontelo_*.dsc)"
log="$(ls "$out"/pontelo_*.build)"
debs=()
for f in $(sed -n '/^Files:/,/^[^ ]/s/^ .* \(\S*\.deb\)$/\1/p' "$changes"); do debs+=("$f"); done
deb="$(ls "$out"/pontelo_*_*.deb)"
[ "${#debs[@]}" -gt 0 ] || { echo "no binary package in $changes" >&2; exit 1; }
echo "packages: ${debs[*]}"

work="$(mktemp -d)"
# lintian leaves cache files behind in the temporary folder: every tool here
# gets one that goes with the check's own.
mkdir "$work/tmp"
export TMPDIR="$work/tmp"
# apt reads autopkgtest's repository of the built packages as its own user.
chmod 755 "$work" "$work/tmp"
before="$(dpkg-query -W -f='${db:Status-Status}' pontelo 2>/dev/null || true)"
cleanup() {
    rm -rf "$work"
    # One by one: apt refuses the whole list if it knows one name not.
    if [ "$before" != installed ]; then
        for p in pontelo pontelo-dbgsym; do
            ! dpkg-query -W "$p" >/dev/null 2>&1 || DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "$p" >/dev/null
        done
    fi
}
trap cleanup EXIT
[ "$before" != installed ] || echo "pontelo was installed: the package built here stays installed in its place"
step() { echo "$1: $(($(date +%s) - start)) s"; }

# The newest changelog entry gives the package its version and the installed
# metainfo and manual page their release and date.
start="$(date +%s)"
dpkg-deb -x "$deb" "$work/root"
version="$(dpkg-parsechangelog -l "$out"/pontelo-*/debian/changelog -SVersion)"
date="$(date -u -d "@$(dpkg-parsechangelog -l "$out"/pontelo-*/debian/changelog -STimestamp)" +%F)"
grep -q "<release version=\"${version%-*}\" date=\"$date\"/>" \
    "$work/root/usr/share/metainfo/org.example.ilpontelo.pontelo.metainfo.xml" ||
    { echo "the metainfo does not name release ${version%-*} of $date" >&2; exit 1; }
zcat "$work/root/usr/share/man/it/man6/pontelo.6.gz" | grep -q "^\.TH PONTELO 6 \"$date\" \"Il Pontelo ${version%-*}\"" ||
    { echo "the Italian manual page does not name release ${version%-*} of $date" >&2; exit 1; }
# The binary is hardened as the distribution builds its own, and stripped.
readelf -d "$work/root/usr/bin/pontelo" | grep -q 'FLAGS.*BIND_NOW' || { echo "pontelo is not linked with -z now" >&2; exit 1; }
readelf -lW "$work/root/usr/bin/pontelo" | grep -q GNU_RELRO || { echo "pontelo has no RELRO" >&2; exit 1; }
readelf -S "$work/root/usr/bin/pontelo" | grep -q '\.debug_' && { echo "pontelo is not stripped" >&2; exit 1; }

# Debian's own checks: any finding fails, pedantic and experimental ones too.
if ! lintian --pedantic -E -I --fail-on error,warning,info,pedantic,experimental --tag-display-limit 0 \
    "$changes" >"$work/lintian.log" 2>&1 || grep -qE '^[EWIPX]: ' "$work/lintian.log"; then
    grep -v 'running with root privileges' "$work/lintian.log" >&2
    echo "lintian rejects the packages" >&2
    exit 1
fi
step "lintian on the source and binary packages: no findings"
# Every compile and link got the hardening flags (PIE is the compiler's default).
blhc --bindnow "$log" || { echo "blhc finds hardening flags missing in $log" >&2; exit 1; }
step "blhc: no flag missing"

# The same source built a day later, elsewhere, with another umask, locale
# and time zone, and without the tests (which install nothing), must give
# the same packages, byte for byte.
mkdir "$work/altrove"
dpkg-source -q -x "$dsc" "$work/altrove/pontelo"
locale=C.UTF-8
[ "$(locale | sed -n 's/^LC_CTYPE="\?\([^"]*\)"\?$/\1/p')" != C.UTF-8 ] || locale=C
if ! (cd "$work/altrove/pontelo" && umask 0002 &&
    LC_ALL="$locale" LANG="$locale" TZ=Asia/Tokyo DEB_BUILD_OPTIONS=nocheck \
        faketime -f +1d dpkg-buildpackage -us -uc -b -j"$(nproc)") >"$work/altrove.log" 2>&1; then
    tail -n 40 "$work/altrove.log" >&2
    echo "the second build failed" >&2
    exit 1
fi
for f in "${debs[@]}"; do
    if ! cmp -s "$out/$f" "$work/altrove/$f"; then
        diffoscope --text - --max-report-size 200000 "$out/$f" "$work/altrove/$f" | head -n 80 >&2 || true
        echo "$f differs between two builds" >&2
        exit 1
    fi
done
step "second build: the same ${#debs[@]} packages, byte for byte"

# The package's own tests, on this machine, against the packages built.
if ! autopkgtest "${debs[@]/#/$out/}" "$dsc" -- null >"$work/autopkgtest.log" 2>&1; then
    cat "$work/autopkgtest.log" >&2
    echo "autopkgtest fails" >&2
    exit 1
fi
sed -n '/@@@@ summary/,/Binaries: resetting/{/^autopkgtest \[/!p}' "$work/autopkgtest.log"
step "autopkgtest passed"

# Installed on its own, the program starts and maps its start window on a
# desktop of the check's own (gone again when the subshell ends).
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
(
    . scripts/lib/desktop.sh
    desktop_init check-package
    desktop_x
    desktop_wm
    QT_QPA_PLATFORM=xcb /usr/bin/pontelo >"$desktop_tmp/run.log" 2>&1 &
    pid=$!
    desktop_track "$pid"
    for _ in $(seq 300); do
        xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1 && exit 0
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    desktop_fail "the installed program mapped no window: $(cat "$desktop_tmp/run.log")"
)
if [ "$before" != installed ]; then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq pontelo >/dev/null
    ! dpkg-query -W -f='${db:Status-Status}' pontelo 2>/dev/null | grep -qx installed ||
        { echo "pontelo is still installed after its removal" >&2; exit 1; }
    [ ! -e /usr/bin/pontelo ] || { echo "/usr/bin/pontelo is left after the removal" >&2; exit 1; }
    step "installed program mapped its window, removed"
else
    step "installed program mapped its window, kept installed"
fi
