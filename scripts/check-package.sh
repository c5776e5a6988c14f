#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, validates its desktop entry and metainfo,
# installs it, checks that the installed program starts and keeps running,
# and removes it again.
# Usage: check-package.sh [BUILD_DIR]  (packages that build instead of making
# one in build-package/; see scripts/package.sh)
set -euo pipefail
build=()
[ $# -gt 0 ] && build=("$(realpath -m "$1")")
cd "$(dirname "$0")/.."
deb="$(bash scripts/package.sh "${build[@]}")"
echo "package: $deb"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/org.example.ilpontelo.pontelo.desktop"
appstreamcli validate --pedantic --no-net "$work/root/usr/share/metainfo/org.example.ilpontelo.pontelo.metainfo.xml" | tee "$work/appstream.log"
! grep -qE "^[EWIP]: " "$work/appstream.log" || { echo "appstreamcli finds fault with the metainfo" >&2; exit 1; }
for f in usr/bin/pontelo usr/share/icons/hicolor/scalable/apps/org.example.ilpontelo.pontelo.svg \
         usr/share/icons/hicolor/48x48/apps/org.example.ilpontelo.pontelo.png \
         usr/share/icons/hicolor/256x256/apps/org.example.ilpontelo.pontelo.png \
         usr/share/doc/pontelo/copyright usr/share/doc/pontelo/changelog.gz \
         usr/share/man/man6/pontelo.6.gz usr/share/man/it/man6/pontelo.6.gz; do
    [ -s "$work/root/$f" ] || { echo "missing from the package: /$f" >&2; exit 1; }
done
dpkg-deb -f "$deb" Version | grep -qx "$(sed -n 's/^project(Pontelo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)" \
    || { echo "package version differs from the program's" >&2; exit 1; }

# Debian's own checks: any finding fails, informational ones included.
if ! lintian --fail-on error,warning,info -I --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 ||
    grep -qE '^[EWI]: ' "$work/lintian.log"; then
    grep -v 'running with root privileges' "$work/lintian.log" >&2
    echo "lintian rejects the package" >&2
    exit 1
fi
echo "lintian: no findings"
# The binary is hardened as the distribution builds its own.
readelf -d "$work/root/usr/bin/pontelo" | grep -q 'FLAGS.*BIND_NOW' || { echo "pontelo is not linked with -z now" >&2; exit 1; }
readelf -lW "$work/root/usr/bin/pontelo" | grep -q GNU_RELRO || { echo "pontelo has no RELRO" >&2; exit 1; }
readelf -S "$work/root/usr/bin/pontelo" | grep -q '\.debug_' && { echo "pontelo is not stripped" >&2; exit 1; }

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
status=0
QT_QPA_PLATFORM=offscreen /usr/bin/pontelo >"$work/run.log" 2>&1 &
pid=$!
sleep 4
if kill -0 "$pid" 2>/dev/null; then
    echo "installed program is running after 4 s"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
else
    echo "installed program ended early:" >&2
    cat "$work/run.log" >&2
    status=1
fi
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq pontelo >/dev/null
exit "$status"
