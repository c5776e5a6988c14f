#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program on a Wayland desktop: under a weston of its own (X11 backend
# inside its own Xvfb, so that xdotool's pointer and keys reach weston as a
# user's would) it checks the Wayland app_id against the desktop entry, drives
# the windows with real input (tests/e2e/tst_wayland.cpp), and checks that
# without the Wayland plugin the program falls back to X11 with no error and
# the WM_CLASS the desktop entry names; then that the desktop library
# (scripts/lib/desktop.sh) leaves nothing running or on disk after a SIGTERM,
# a SIGHUP or a failure (tests/e2e/desktop_lib.sh).
# Usage: check-wayland.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:?build directory}" && pwd)"
program="$build/src/pontelo"
driver="$build/tests/e2e/tst_wayland"
desktop=packaging/org.example.ilpontelo.pontelo.desktop
for f in "$program" "$driver"; do
    [ -x "$f" ] || { echo "check-wayland: $f is not built" >&2; exit 1; }
done
for tool in Xvfb weston xdotool xprop import; do
    command -v "$tool" >/dev/null || { echo "check-wayland: $tool is missing (scripts/setup.sh --test)" >&2; exit 1; }
done

# shellcheck source=scripts/lib/desktop.sh
. scripts/lib/desktop.sh
desktop_init check-wayland
work="$desktop_tmp"
failed=0
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
pass() { echo "PASS: $*"; }

# No window manager: weston's output window lies at the screen's corner.
desktop_x 1280x800

socket="wayland-pontelo"
# No on-screen keyboard (input method): one child less for weston to
# start again while the check stops it.
cat >"$work/weston.ini" <<'EOF'
[core]
idle-time=0
[input-method]
path=
[shell]
panel-position=none
locking=false
[keyboard]
repeat-delay=300
repeat-rate=25
EOF
weston --config="$work/weston.ini" --backend=x11-backend.so --use-pixman --socket="$socket" \
    --width=1280 --height=800 >"$work/weston.log" 2>&1 &
desktop_track $!
# Weston is ready once it takes clients and has faded its desktop in: its
# output window's centre no longer black, and the same on two looks in a row
# (the driver counts colours on the screen).
ready=0 last=""
for _ in $(seq 150); do
    if [ -S "$XDG_RUNTIME_DIR/$socket" ] && xdotool search --class "Weston Compositor" >/dev/null 2>&1; then
        pixel="$(import -window root -crop 1x1+640+400 -depth 8 txt:- 2>/dev/null | sed -n 's/.* \(#[0-9A-F]*\) .*/\1/p')"
        [ -n "$pixel" ] && [ "$pixel" != "#000000" ] && [ "$pixel" = "$last" ] && ready=1 && break
        last="$pixel"
    fi
    sleep 0.1
done
[ "$ready" = 1 ] || { echo "check-wayland: weston did not start" >&2; cat "$work/weston.log" >&2; exit 1; }

id="$(basename "$desktop" .desktop)"
wmclass="$(sed -n 's/^StartupWMClass=//p' "$desktop")"

# The app_id the program gives its windows is the desktop entry's id.
WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$program" >"$work/app.log" 2>&1 &
app=$!
desktop_track "$app"
for _ in $(seq 100); do
    grep -q 'set_app_id' "$work/app.log" && break
    sleep 0.1
done
if grep -q "xdg_toplevel@[0-9]*\.set_app_id(\"$id\")" "$work/app.log"; then
    pass "Wayland app_id is \"$id\""
else
    fail "Wayland app_id: $(grep -o 'set_app_id([^)]*)' "$work/app.log" | head -1) instead of \"$id\""
fi
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true

# Real input through weston: held key, modal printer choice, "Esci".
if WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland QT_LOGGING_RULES='qt.qpa.*=false' \
    desktop_run timeout 120 "$driver" >"$work/driver.log" 2>&1; then
    grep -E '^(PASS|FAIL)' "$work/driver.log"
    pass "the program on weston"
else
    grep -E '^(PASS|FAIL)' "$work/driver.log" || cat "$work/driver.log"
    fail "the program on weston"
fi

# Without the Wayland plugin, on a Wayland session, the program runs through
# X (here the Xvfb that stands in for XWayland) and says nothing. A copy of the
# program whose qt.conf names a plugin folder without the Wayland plugins
# stands for a machine without qt6-wayland.
system_plugins="$(dirname "$(ls -d /usr/lib/*/qt6/plugins/platforms | head -1)")"
mkdir -p "$work/bin" "$work/plugins/platforms"
cp "$program" "$work/bin/pontelo"
printf '[Paths]\nPlugins = %s\n' "$work/plugins" >"$work/bin/qt.conf"
for d in "$system_plugins"/*; do
    [ "$(basename "$d")" = platforms ] || ln -s "$d" "$work/plugins/"
done
for p in "$system_plugins"/platforms/*.so; do
    case "$(basename "$p")" in libqwayland*) ;; *) ln -s "$p" "$work/plugins/platforms/" ;; esac
done
env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY="$socket" \
    "$work/bin/pontelo" >"$work/fallback.log" 2>&1 &
app=$!
desktop_track "$app"
window=""
for _ in $(seq 100); do
    for w in $(xdotool search --pid "$app" --name 'PONTEL' 2>/dev/null || true); do
        xprop -id "$w" WM_CLASS 2>/dev/null | grep -q ' = ' && window="$w" && break
    done
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -n "$window" ] && kill -0 "$app" 2>/dev/null; then
    pass "falls back to X11 without the Wayland plugin"
    class="$(xprop -id "$window" WM_CLASS)"
    if [ -n "$wmclass" ] && echo "$class" | grep -q "\"$wmclass\""; then
        pass "X11 $class matches StartupWMClass=$wmclass"
    else
        fail "X11 $class does not match StartupWMClass=$wmclass"
    fi
else
    fail "no X11 window without the Wayland plugin"
fi
if [ -s "$work/fallback.log" ]; then
    fail "the fallback printed: $(head -3 "$work/fallback.log")"
else
    pass "the fallback printed nothing"
fi
kill "$app" 2>/dev/null || true

# The desktop library these checks share stops all it started on any exit.
if bash tests/e2e/desktop_lib.sh >"$work/desktop_lib.log" 2>&1; then
    grep '^PASS' "$work/desktop_lib.log"
else
    cat "$work/desktop_lib.log"
    fail "the desktop library left something behind"
fi

if [ "$failed" -gt 0 ]; then
    echo "check-wayland: $failed failed"
    exit 1
fi
echo "check-wayland: all passed"
