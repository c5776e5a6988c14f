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

# shellcheck source=scripts/lib/desktop.sh
. scripts/lib/desktop.sh
fail() { desktop_fail "$@"; }
for tool in Xvfb openbox dbus-daemon /usr/libexec/at-spi-bus-launcher /usr/bin/python3 \
    /usr/bin/orca speech-dispatcher /usr/lib/speech-dispatcher-modules/sd_espeak-ng xdotool; do
    command -v "$tool" >/dev/null || fail "missing $tool (bash scripts/setup.sh --test installs it)"
done
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' ||
    fail "missing Python's AT-SPI bindings (gir1.2-atspi-2.0, python3-gi)"
[ -x "$program" ] || fail "no program at $program; build it first"

desktop_init check-accessibility
desktop_x 1280x800
desktop_buses
desktop_wm
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
desktop_run timeout 180 /usr/bin/python3 tests/e2e/accessibility.py "$program" 2>&1 || fail "failed"
desktop_run timeout 240 /usr/bin/python3 tests/e2e/orca_speech.py "$program" "$desktop_tmp" 2>&1 || fail "failed"
echo "check-accessibility: passed"
