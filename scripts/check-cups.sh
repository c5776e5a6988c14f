#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the exercise printout, a certificate and both worksheets through the
# program's real printing layer to a CUPS queue of its own on the cups-pdf
# backend, and checks what comes out (tests/e2e/tst_stampacups.cpp). Starts
# the CUPS scheduler if it is not running; removes its queue afterwards and
# leaves every other queue alone. Usage: check-cups.sh BUILD_DIR
set -euo pipefail
build="${1:?build directory}"
program="$build/tests/e2e/tst_stampacups"
[ -x "$program" ] || { echo "check-cups: $program is not built" >&2; exit 1; }

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
chmod 0777 "$out"
conf="/etc/cups/cups-pdf-$queue.conf"
cleanup() {
    lpadmin -x "$queue" 2>/dev/null || true
    rm -f "$conf"
    rm -rf "$out"
}
trap cleanup EXIT
# This queue's cups-pdf writes into its own folder, as its own settings say.
printf 'Out %s\nAnonDirName %s\n' "$out" "$out" >"$conf"
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -o PageSize=A4 2>&1 |
    grep -v "deprecated" || true
lpstat -p "$queue" >/dev/null || { echo "check-cups: queue $queue could not be created" >&2; exit 1; }

QT_QPA_PLATFORM=offscreen LC_ALL=C QT_LOGGING_RULES='qt.qpa.*=false' \
    PONTELO_CODA="$queue" PONTELO_USCITA="$out" "$program"
