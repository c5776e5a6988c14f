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
# running; removes its queue, mounts and folders afterwards and leaves every
# other queue alone. Runs as root (it mounts a file system).
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

if ! lpstat -r 2>/dev/null | grep -q "scheduler is running"; then
    /usr/sbin/cupsd
    for _ in $(seq 50); do
        lpstat -r 2>/dev/null | grep -q "scheduler is running" && break
        sleep 0.2
    done
fi
lpstat -r 2>/dev/null | grep -q "scheduler is running" || {
    echo "check-cups: the CUPS scheduler could not be started" >&2
    exit 1
}

queue="PonteloProva$$"
out="$(mktemp -d /tmp/pontelo-cups.XXXXXX)"
work="$(mktemp -d /tmp/pontelo-guasti.XXXXXX)"
chmod 0777 "$out"
conf="/etc/cups/cups-pdf-$queue.conf"
silent_pid=""
cleanup() {
    [ -n "$silent_pid" ] && kill "$silent_pid" 2>/dev/null || true
    mountpoint -q "$work/piena" && umount "$work/piena" || true
    lpadmin -x "$queue" 2>/dev/null || true
    rm -f "$conf"
    rm -rf "$out" "$work"
}
trap cleanup EXIT
# This queue's cups-pdf writes into its own folder, as its own settings say.
printf 'Out %s\nAnonDirName %s\n' "$out" "$out" >"$conf"
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -o PageSize=A4 2>&1 |
    grep -v "deprecated" || true
lpstat -p "$queue" >/dev/null || { echo "check-cups: queue $queue could not be created" >&2; exit 1; }

export QT_QPA_PLATFORM=offscreen LC_ALL=C QT_LOGGING_RULES='qt.qpa.*=false' PONTELO_CODA="$queue"
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
[ "$status" -eq 143 ] || { echo "check-cups: the print ended with $status, not by SIGTERM" >&2; exit 1; }
left="$(find "$work/interrotta" -mindepth 1)"
[ -z "$left" ] || { echo "check-cups: left behind after SIGTERM: $left" >&2; exit 1; }
echo "a file was being written; after SIGTERM the folder is empty"

echo "== two programs printing into one folder at once"
mkdir "$work/condivisa"
PONTELO_CONDIVISA="$work/condivisa" driver condivisa >"$work/condivisa1.log" 2>&1 &
pid1=$!
PONTELO_CONDIVISA="$work/condivisa" driver condivisa >"$work/condivisa2.log" 2>&1 &
pid2=$!
wait "$pid1" || { cat "$work/condivisa1.log" >&2; exit 1; }
wait "$pid2" || { cat "$work/condivisa2.log" >&2; exit 1; }
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
