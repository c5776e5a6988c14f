# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# A desktop of its own for a check or a benchmark, gone again when the script
# ends: Xvfb on a free display, openbox on it, a D-Bus session with the AT-SPI
# bus if asked, every file in one temporary folder. Sourced, not run:
#
#   . "$(dirname "$0")/lib/desktop.sh"
#   desktop_init NAME      first: makes the folder $desktop_tmp (mktemp -d), points
#                          XDG_RUNTIME_DIR into it, and stops everything and removes
#                          the folder on any exit (EXIT, INT, TERM, HUP traps; the
#                          exit status is kept). NAME prefixes the messages.
#   desktop_x [WxH]        Xvfb on a display nobody uses (-displayfd), 1280x800 by
#                          default; exports DISPLAY once it takes clients
#   desktop_wm             openbox on $DISPLAY; returns once it has set
#                          _NET_SUPPORTING_WM_CHECK on the root window
#   desktop_buses          a D-Bus session bus and the AT-SPI bus of their own;
#                          exports DBUS_SESSION_BUS_ADDRESS once the AT-SPI bus
#                          answers, and drops a caller's AT_SPI_BUS_ADDRESS
#   desktop_track PID...   also stop these children of the script's shell (and their
#                          own children) at the end
#   desktop_run CMD...     runs CMD tracked and returns its status; a signal to the
#                          script stops it at once, not after it ends
#   desktop_stop           stops all started or tracked so far, the deepest
#                          children first, and waits for them (SIGKILL after 5 s):
#                          to start another desktop in the same script
#   desktop_fail MESSAGE   "NAME: MESSAGE" on stderr, exit 1
# Log files: $desktop_tmp/xvfb.N.log, openbox.N.log, dbus.log, atspi.log.
# Do not call desktop_x, desktop_wm or desktop_buses in $( ): the processes
# must be children of the script's own shell.

desktop_name=desktop
desktop_tmp=""
desktop_pids=()  # started or tracked, oldest first
desktop_count=0  # numbers the log files of successive desktops

desktop_fail() {
    echo "$desktop_name: $*" >&2
    exit 1
}

desktop_init() {
    desktop_name="${1:-desktop}"
    desktop_tmp="$(mktemp -d "${TMPDIR:-/tmp}/$desktop_name.XXXXXX")"
    # Qt and the buses put their sockets here, not in a shared /tmp/runtime-*.
    export XDG_RUNTIME_DIR="$desktop_tmp/run"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    trap desktop_cleanup EXIT
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

desktop_track() {
    desktop_pids+=("$@")
}

desktop_run() {
    "$@" &
    local pid=$! status=0
    desktop_pids+=("$pid")
    wait "$pid" || status=$?
    return "$status"
}

# The process and all its descendants, by parent id, each with its depth.
desktop_tree() {
    local child depth="${2:-0}"
    echo "$1 $depth"
    for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do
        desktop_tree "$child" $((depth + 1))
    done
}

# Running and not a zombie.
desktop_alive() {
    ps -o stat= -p "$1" 2>/dev/null | grep -qv '^Z'
}

# Waits up to 5 s for the given processes to end; prints those still running.
desktop_await_end() {
    local pid left=()
    for _ in $(seq 50); do
        left=()
        for pid in "$@"; do desktop_alive "$pid" && left+=("$pid"); done
        [ ${#left[@]} -eq 0 ] && return 0
        sleep 0.1
    done
    echo "${left[@]}"
}

desktop_stop() {
    local i pid tops=() level=() stuck="" depth
    for ((i = ${#desktop_pids[@]} - 1; i >= 0; i--)); do
        pid="${desktop_pids[i]}"
        # One that has ended is no longer this shell's child, and its number
        # may now be another process's.
        [ "$(ps -o ppid= -p "$pid" 2>/dev/null | tr -d ' ')" = "$BASHPID" ] && tops+=("$pid")
    done
    local started=("${desktop_pids[@]}")
    desktop_pids=()
    # Deepest first, each level while its parents still run to reap it: a
    # child that outlives its parent is left a zombie for init.
    local tree
    tree="$(for pid in "${tops[@]}"; do desktop_tree "$pid"; done)"
    for ((depth = $(echo "$tree" | awk '$2 > m {m = $2} END {print m + 0}'); depth >= 0; depth--)); do
        mapfile -t level < <(echo "$tree" | awk -v d="$depth" '$2 == d {print $1}')
        [ ${#level[@]} -eq 0 ] && continue
        kill -TERM "${level[@]}" 2>/dev/null || true
        stuck="$stuck $(desktop_await_end "${level[@]}")"
    done
    for pid in $stuck; do kill -KILL "$pid" 2>/dev/null || true; done
    # Reaps the shell's own children, so that none is left a zombie.
    for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
}

desktop_cleanup() {
    local status=$?
    trap - EXIT HUP INT TERM
    desktop_stop
    [ -n "$desktop_tmp" ] && rm -rf "$desktop_tmp"
    exit "$status"
}

# Runs a command in the background whose fd 3 writes one line when it is
# ready, its stderr into LOG, and reads that line into the variable VAR.
# Fails if the command ends or stays silent for 20 s.
desktop_ready_line() {
    local var="$1" log="$2" fifo line=""
    shift 2
    fifo="$desktop_tmp/ready.$desktop_count"
    mkfifo "$fifo"
    "$@" 3>"$fifo" 2>"$log" &
    desktop_pids+=($!)
    read -r -t 20 line <"$fifo" || true
    rm -f "$fifo"
    [ -n "$line" ] || return 1
    printf -v "$var" '%s' "$line"
}

desktop_x() {
    local size="${1:-1280x800}" number="" n=$((++desktop_count))
    local log="$desktop_tmp/xvfb.$n.log"
    command -v Xvfb >/dev/null || desktop_fail "Xvfb is missing (scripts/setup.sh --test)"
    desktop_ready_line number "$log" Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp ||
        desktop_fail "Xvfb did not start: $(cat "$log")"
    export DISPLAY=":$number"
}

desktop_wm() {
    local n=$((++desktop_count)) pid tool
    for tool in openbox xprop; do
        command -v "$tool" >/dev/null || desktop_fail "$tool is missing (scripts/setup.sh --test)"
    done
    # Its cache (session files) goes into the temporary folder, not the user's.
    XDG_CACHE_HOME="$desktop_tmp/cache" openbox >"$desktop_tmp/openbox.$n.log" 2>&1 &
    pid=$!
    desktop_pids+=("$pid")
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
        desktop_alive "$pid" || break
        sleep 0.1
    done
    desktop_fail "openbox did not start on $DISPLAY: $(cat "$desktop_tmp/openbox.$n.log")"
}

desktop_buses() {
    local address="" pid tool
    for tool in dbus-daemon dbus-send /usr/libexec/at-spi-bus-launcher; do
        command -v "$tool" >/dev/null || desktop_fail "$tool is missing (scripts/setup.sh --test)"
    done
    desktop_ready_line address "$desktop_tmp/dbus.log" dbus-daemon --session --nofork --nopidfile \
        --address="unix:dir=$desktop_tmp" --print-address=3 ||
        desktop_fail "the D-Bus session bus did not start: $(cat "$desktop_tmp/dbus.log")"
    export DBUS_SESSION_BUS_ADDRESS="$address"
    # The accessibility bus is the one started here, never one of the caller's.
    unset AT_SPI_BUS_ADDRESS
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$desktop_tmp/atspi.log" 2>&1 &
    pid=$!
    desktop_pids+=("$pid")
    for _ in $(seq 100); do
        # Asked of the bus itself: asking org.a11y.Bus before it is there
        # would have D-Bus start a second launcher.
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' &&
            return 0
        desktop_alive "$pid" || break
        sleep 0.1
    done
    desktop_fail "the AT-SPI bus did not start: $(cat "$desktop_tmp/atspi.log")"
}
