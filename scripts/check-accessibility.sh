#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the program on a display of its own, with a D-Bus session and the
# AT-SPI accessibility bus, and drives it through AT-SPI only
# (tests/e2e/accessibility.py): levels and answers chosen with the tiles'
# press action, the operation row read as one text, verdicts and the help
# question announced, covered panels not reported as showing, and no control
# on show without a name in any window. Then, on the same display and buses,
# it runs Debian's Orca with its real speech chain and drives a whole run by
# keys (tests/e2e/orca_speech.py), checking what Orca speaks at each step.
# A missing tool is a failure.
# Usage: scripts/check-accessibility.sh [build directory, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
program="$(pwd)/$build/src/pontelo"

fail() {
    echo "check-accessibility: $*" >&2
    exit 1
}
for tool in Xvfb openbox dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3 \
    /usr/bin/orca speech-dispatcher /usr/lib/speech-dispatcher-modules/sd_espeak-ng xdotool; do
    command -v "$tool" >/dev/null || fail "missing $tool (bash scripts/setup.sh --test installs it)"
done
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' ||
    fail "missing Python's AT-SPI bindings (gir1.2-atspi-2.0, python3-gi)"
[ -x "$program" ] || fail "no program at $program; build it first"

work="$(mktemp -d)"
xvfb=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody else uses: Xvfb picks it and writes it back.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"

export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The accessibility bus is the one started below, never one of the caller's.
unset AT_SPI_BUS_ADDRESS
export XDG_RUNTIME_DIR="$work/run" PROGRAM="$program" WORK="$work"
mkdir -m 700 "$XDG_RUNTIME_DIR"

dbus-run-session -- bash -c '
    set -u
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/atspi.log" 2>&1 &
    bus=$!
    # The display may take a moment to accept its first clients.
    for _ in 1 2 3 4 5; do
        openbox >"$WORK/openbox.log" 2>&1 &
        wm=$!
        sleep 1
        kill -0 "$wm" 2>/dev/null && break
    done
    if ! kill -0 "$wm" 2>/dev/null; then
        echo "FAIL: openbox did not start on $DISPLAY: $(cat "$WORK/openbox.log")" >&2
        exit 1
    fi
    timeout 180 /usr/bin/python3 tests/e2e/accessibility.py "$PROGRAM" 2>&1
    status=$?
    if [ "$status" -eq 0 ]; then
        timeout 240 /usr/bin/python3 tests/e2e/orca_speech.py "$PROGRAM" "$WORK" 2>&1
        status=$?
    fi
    kill "$wm" "$bus" 2>/dev/null
    exit "$status"
' || fail "failed"
echo "check-accessibility: passed"
