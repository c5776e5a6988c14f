#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/lib/desktop.sh leaves nothing behind: a script that started a
# display, a window manager, the buses and a program with a child of its own
# is ended by SIGTERM, by SIGHUP, or fails by itself; each time its exit status
# is kept, and none of its processes, its temporary folder or its X server's
# socket and lock file is left. Prints PASS/FAIL lines; exits 1 on a failure.
# Usage: tests/e2e/desktop_lib.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0

# The script under test: writes what it started, then waits or fails.
cat >"$work/desktop.sh" <<'EOF'
set -euo pipefail
. scripts/lib/desktop.sh
desktop_init desktop-lib-check
desktop_x 640x480
desktop_buses
desktop_wm
sh -c 'sleep 300 & wait' &
desktop_track $!
echo "${DISPLAY#:} $desktop_tmp" >"$1/started.tmp"
for p in "${desktop_pids[@]}"; do desktop_tree "$p"; done | cut -d' ' -f1 >"$1/pids"
mv "$1/started.tmp" "$1/started"
[ "$2" = fail ] && exit 3
sleep 300 &
desktop_track $!
wait $!
EOF

for way in TERM:143 HUP:129 fail:3; do
    signal="${way%:*}" want="${way#*:}"
    rm -f "$work/started" "$work/pids"
    bash "$work/desktop.sh" "$work" "$signal" &
    script=$!
    for _ in $(seq 300); do
        [ -e "$work/started" ] || ! kill -0 "$script" 2>/dev/null && break
        sleep 0.1
    done
    [ "$signal" = fail ] || kill -"$signal" "$script"
    for _ in $(seq 300); do kill -0 "$script" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$script" 2>/dev/null; then
        echo "FAIL: $signal: the script did not end within 30 s"
        kill -KILL "$script" $(cat "$work/pids" 2>/dev/null) 2>/dev/null || true
        failed=1
    fi
    status=0
    wait "$script" || status=$?
    read -r display folder <"$work/started" || { echo "FAIL: $signal: the desktop did not start"; failed=1; continue; }
    left=""
    for pid in $(cat "$work/pids"); do
        ps -o stat= -p "$pid" 2>/dev/null | grep -qv '^Z' && left="$left $(ps -o comm= -p "$pid")"
    done
    files=""
    for f in "$folder" "/tmp/.X11-unix/X$display" "/tmp/.X$display-lock"; do
        [ -e "$f" ] && files="$files $f"
    done
    if [ "$status" = "$want" ] && [ -z "$left" ] && [ -z "$files" ]; then
        echo "PASS: $signal: status $status, $(wc -l <"$work/pids") processes ended, no file left"
    else
        echo "FAIL: $signal: status $status (want $want), still running:${left:- none}, left:${files:- none}"
        failed=1
    fi
done
exit "$failed"
