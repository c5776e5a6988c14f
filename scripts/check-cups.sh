#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the exercise printout, a certificate and both worksheets through the
# program's real printing layer to a CUPS queue of its own on the cups-pdf
# backend, and checks what comes out (tests/e2e/tst_stampacups.cpp). Then
# injects the faults a school meets and checks that no document is lost and no
# window freezes: a queue that denies the user, a documents folder on a full
# disk (a 100 KB tmpfs), a printing service that takes connections and never
# answers, SIGTERM in the middle of a "File PDF" print, and two programs
# printing into one folder at once. Starts the CUPS scheduler if it is not
# running, and then stops it at the end. On any exit it ends the programs it
# started, unmounts its file system, removes its queue with the queue's jobs,
# its folders and what it added under /etc/cups, puts back what a scheduler of
# its own changed there, and leaves every other queue alone. Runs as root (it
# mounts a file system).
# Usage: check-cups.sh BUILD_DIR
set -euo pipefail
build="${1:?build directory}"
program="$(realpath "$build/tests/e2e/tst_stampacups")"
[ -x "$program" ] || { echo "check-cups: $program is not built" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "check-cups: must run as root (it mounts a tmpfs)" >&2; exit 1; }
for tool in lpstat lpadmin cupsd pdfinfo pdftoppm python3 mount umount; do
    command -v "$tool" >/dev/null || [ -x "/usr/sbin/$tool" ] ||
        { echo "check-cups: $tool is missing" >&2; exit 1; }
done

queue="PonteloProva$$"
out="$(mktemp -d)"
work="$(mktemp -d)"
chmod 0777 "$out"
conf="/etc/cups/cups-pdf-$queue.conf"
cupsd_pid=""
silent_pid=""
children=()

# /etc/cups as it is before the run, to put it back afterwards.
cp -a /etc/cups "$work/etc-cups"

# What the run added under /etc/cups is removed, what it changed or removed is
# put back. Only with no scheduler running, which would write over it again.
restore_etc() {
    local path
    (cd /etc/cups && find . -xdev -mindepth 1 | sort -r) | while read -r path; do
        [ -e "$work/etc-cups/$path" ] || [ -L "$work/etc-cups/$path" ] || rm -rf "/etc/cups/${path:?}"
    done
    (cd "$work/etc-cups" && find . | sort) | while read -r path; do
        if [ ! -e "/etc/cups/$path" ] || { [ -f "/etc/cups/$path" ] && ! cmp -s "$work/etc-cups/$path" "/etc/cups/$path"; }; then
            cp -a "$work/etc-cups/$path" "/etc/cups/$path"
        fi
        chown --no-dereference --reference="$work/etc-cups/$path" "/etc/cups/$path"
        [ -L "/etc/cups/$path" ] || chmod --reference="$work/etc-cups/$path" "/etc/cups/$path"
    done
}

cleanup() {
    local status=$? pid
    trap - EXIT HUP INT TERM
    # Every step is tried, whatever the one before did.
    set +e
    for pid in "${children[@]}" $silent_pid; do kill "$pid" 2>/dev/null || true; done
    for pid in "${children[@]}" $silent_pid; do wait "$pid" 2>/dev/null || true; done
    if mountpoint -q "$work/piena" 2>/dev/null; then umount "$work/piena" || status=1; fi
    if lpstat -p "$queue" >/dev/null 2>&1; then
        # Its jobs' files and history go with it.
        cancel -a -x "$queue" 2>/dev/null || true
        lpadmin -x "$queue" 2>/dev/null || true
    fi
    rm -f "$conf" "/var/cache/cups/$queue.strings"
    if [ -n "$cupsd_pid" ]; then
        kill -TERM "$cupsd_pid" 2>/dev/null || true
        wait "$cupsd_pid" 2>/dev/null || true
        restore_etc
    fi
    # A scheduler that was running before keeps its files: it writes the
    # queue's removal there itself, in its own time.
    # Never into a file system still mounted there.
    mountpoint -q "$work/piena" 2>/dev/null || rm -rf "$out" "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

if ! lpstat -r 2>/dev/null | grep -q "scheduler is running"; then
    # In the foreground, as this script's child: it is the one stopped at the
    # end, never a scheduler someone else started.
    /usr/sbin/cupsd -f &
    cupsd_pid=$!
    for _ in $(seq 100); do
        lpstat -r 2>/dev/null | grep -q "scheduler is running" && break
        kill -0 "$cupsd_pid" 2>/dev/null || break
        sleep 0.1
    done
fi
lpstat -r 2>/dev/null | grep -q "scheduler is running" || {
    echo "check-cups: the CUPS scheduler could not be started" >&2
    exit 1
}

# This queue's cups-pdf writes into its own folder, as its own settings say.
printf 'Out %s\nAnonDirName %s\n' "$out" "$out" >"$conf"
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -o PageSize=A4 2>&1 |
    grep -v "deprecated" || true
lpstat -p "$queue" >/dev/null || { echo "check-cups: queue $queue could not be created" >&2; exit 1; }

export QT_QPA_PLATFORM=offscreen LC_ALL=C QT_LOGGING_RULES='qt.qpa.*=false' PONTELO_CODA="$queue"
# The drivers' own temporary folders, also those of one ended by SIGTERM.
export TMPDIR="$work/tmp"
mkdir "$TMPDIR"
driver() { PONTELO_USCITA="$out" "$program" "$@"; }

echo "== the printouts on the queue and on File PDF; a stopped, a refusing and a missing queue"
driver codaPresente esercizio attestato schede guasti

echo "== a queue that denies the user"
lpadmin -p "$queue" -u deny:pontelo-negato
PONTELO_NEGATO=pontelo-negato driver utenteNegato
lpadmin -p "$queue" -u allow:all

echo "== a documents folder on a 100 KB file system"
mkdir "$work/piena"
mount -t tmpfs -o size=100k tmpfs "$work/piena"
PONTELO_PIENA="$work/piena" driver cartellaPiena
# What is left is whole PDFs and nothing else.
for f in "$work/piena"/* "$work/piena"/.[!.]*; do
    [ -e "$f" ] || continue
    case "$f" in *.pdf) ;; *) echo "check-cups: left behind: $f" >&2; exit 1 ;; esac
    pdfinfo "$f" >/dev/null || { echo "check-cups: unreadable: $f" >&2; exit 1; }
done
umount "$work/piena"

echo "== a printing service that accepts connections and never answers"
sock="$work/cups-muto.sock"
python3 -c '
import socket, sys
s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
s.bind(sys.argv[1])
s.listen(16)
held = []
while True:
    held.append(s.accept()[0])
' "$sock" &
silent_pid=$!
for _ in $(seq 50); do [ -S "$sock" ] && break; sleep 0.1; done
[ -S "$sock" ] || { echo "check-cups: the silent service did not start" >&2; exit 1; }
CUPS_SERVER="$sock" driver servizioMuto
kill "$silent_pid"
wait "$silent_pid" 2>/dev/null || true
silent_pid=""

echo "== SIGTERM in the middle of a File PDF print"
mkdir "$work/interrotta"
# Started directly, so that the signal reaches the program itself.
PONTELO_INTERROTTA="$work/interrotta" "$program" interrotta >"$work/interrotta.log" 2>&1 &
pid=$!
children+=("$pid")
for _ in $(seq 300); do grep -q "STAMPA IN CORSO" "$work/interrotta.log" && break; sleep 0.1; done
grep -q "STAMPA IN CORSO" "$work/interrotta.log" || {
    cat "$work/interrotta.log" >&2
    echo "check-cups: the print did not start" >&2
    exit 1
}
partial="$(find "$work/interrotta" -type f | wc -l)"
[ "$partial" -eq 1 ] || { echo "check-cups: expected one file being written, found $partial" >&2; exit 1; }
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
children=()
[ "$status" -eq 143 ] || { echo "check-cups: the print ended with $status, not by SIGTERM" >&2; exit 1; }
left="$(find "$work/interrotta" -mindepth 1)"
[ -z "$left" ] || { echo "check-cups: left behind after SIGTERM: $left" >&2; exit 1; }
echo "a file was being written; after SIGTERM the folder is empty"

echo "== two programs printing into one folder at once"
mkdir "$work/condivisa"
PONTELO_CONDIVISA="$work/condivisa" driver condivisa >"$work/condivisa1.log" 2>&1 &
pid1=$!
children+=("$pid1")
PONTELO_CONDIVISA="$work/condivisa" driver condivisa >"$work/condivisa2.log" 2>&1 &
pid2=$!
children+=("$pid2")
wait "$pid1" || { cat "$work/condivisa1.log" >&2; exit 1; }
wait "$pid2" || { cat "$work/condivisa2.log" >&2; exit 1; }
children=()
announced="$(cat "$work/condivisa1.log" "$work/condivisa2.log" | sed -n 's/^ANNUNCIATO //p')"
total="$(printf '%s\n' "$announced" | wc -l)"
unique="$(printf '%s\n' "$announced" | sort -u | wc -l)"
files="$(find "$work/condivisa" -type f | wc -l)"
[ "$total" -eq 80 ] && [ "$unique" -eq 80 ] && [ "$files" -eq 80 ] || {
    echo "check-cups: announced $total, distinct $unique, files $files (want 80 each)" >&2
    exit 1
}
while IFS= read -r f; do
    pdfinfo "$f" >/dev/null || { echo "check-cups: unreadable: $f" >&2; exit 1; }
done <<<"$announced"
echo "80 documents announced, 80 distinct names, 80 whole files"
echo "check-cups: all printing checks passed"
