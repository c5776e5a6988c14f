#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the program against a bare maximised Qt Widgets window with a
# menu bar, side by side in one run under Xvfb with a window manager: time
# from launch until the first window is mapped, and peak memory (VmHWM) at
# that moment, and the processor time (user and system) it took until then.
# Usage: bench-startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build="$(cd "${1:?build directory}" && pwd)"
runs="${2:-15}"
program="$build/src/pontelo"
bare="$build/tests/bench/finestra_nuda"
cd "$(dirname "$0")/.."
# shellcheck source=scripts/lib/desktop.sh
. scripts/lib/desktop.sh
desktop_init bench-startup
desktop_x 1280x800
desktop_wm
export LC_ALL=C

# Prints "milliseconds kilobytes cpu-milliseconds" for one start of the given program.
one_start() {
    local start end pid kb cpu
    start=$(date +%s%N)
    "$1" >/dev/null 2>&1 &
    pid=$!
    desktop_track "$pid"
    # xdotool's own --sync waits half a second between looks: look at once, again and again.
    until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do :; done
    end=$(date +%s%N)
    kb=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    # Nanoseconds on a processor, every thread's (utime and stime count in
    # 10 ms ticks, too coarse for a start of a few tens of milliseconds).
    cpu=$(cat /proc/"$pid"/task/*/schedstat 2>/dev/null | awk '{ns += $1} END {printf "%d", ns / 1000000}')
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$(((end - start) / 1000000)) $kb $cpu"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

results_program="$desktop_tmp/program.txt"
results_bare="$desktop_tmp/bare.txt"
one_start "$bare" >/dev/null # warm the caches for both
one_start "$program" >/dev/null
for _ in $(seq "$runs"); do
    one_start "$bare" >>"$results_bare"
    one_start "$program" >>"$results_program"
done
pt=$(cut -d' ' -f1 "$results_program" | median)
bt=$(cut -d' ' -f1 "$results_bare" | median)
pm=$(cut -d' ' -f2 "$results_program" | median)
bm=$(cut -d' ' -f2 "$results_bare" | median)
pc=$(cut -d' ' -f3 "$results_program" | median)
bc=$(cut -d' ' -f3 "$results_bare" | median)
echo "runs: $runs each, medians"
echo "start-up until mapped: program ${pt} ms, bare window ${bt} ms, ratio $(awk -v a="$pt" -v b="$bt" 'BEGIN {printf "%.2f", a / b}')"
echo "processor time:        program ${pc} ms, bare window ${bc} ms, ratio $(awk -v a="$pc" -v b="$bc" 'BEGIN {printf "%.2f", a / b}')"
echo "peak memory:           program ${pm} kB, bare window ${bm} kB, ratio $(awk -v a="$pm" -v b="$bm" 'BEGIN {printf "%.2f", a / b}')"
