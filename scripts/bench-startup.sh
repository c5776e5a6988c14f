#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the program against a bare maximised Qt Widgets window with a
# menu bar, side by side in one run under Xvfb with a window manager: time
# from launch until the first window is mapped, and peak memory (VmHWM) at
# that moment. Usage: bench-startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build="${1:?build directory}"
runs="${2:-15}"
program="$build/src/pontelo"
bare="$build/tests/bench/finestra_nuda"
display=":97"

Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $wm $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY="$display" openbox >/dev/null 2>&1 &
wm=$!
sleep 1
export DISPLAY="$display" LC_ALL=C

# Prints "milliseconds kilobytes" for one start of the given program.
one_start() {
    local start end pid kb
    start=$(date +%s%N)
    "$1" >/dev/null 2>&1 &
    pid=$!
    # xdotool's own --sync waits half a second between looks: look at once, again and again.
    until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do :; done
    end=$(date +%s%N)
    kb=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$(((end - start) / 1000000)) $kb"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

: >/tmp/bench-startup-program.txt
: >/tmp/bench-startup-bare.txt
one_start "$bare" >/dev/null # warm the caches for both
one_start "$program" >/dev/null
for _ in $(seq "$runs"); do
    one_start "$bare" >>/tmp/bench-startup-bare.txt
    one_start "$program" >>/tmp/bench-startup-program.txt
done
pt=$(cut -d' ' -f1 /tmp/bench-startup-program.txt | median)
bt=$(cut -d' ' -f1 /tmp/bench-startup-bare.txt | median)
pm=$(cut -d' ' -f2 /tmp/bench-startup-program.txt | median)
bm=$(cut -d' ' -f2 /tmp/bench-startup-bare.txt | median)
echo "runs: $runs each, medians"
echo "start-up until mapped: program ${pt} ms, bare window ${bt} ms, ratio $(awk -v a="$pt" -v b="$bt" 'BEGIN {printf "%.2f", a / b}')"
echo "peak memory:           program ${pm} kB, bare window ${bm} kB, ratio $(awk -v a="$pm" -v b="$bm" 'BEGIN {printf "%.2f", a / b}')"
