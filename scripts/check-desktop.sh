#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What only a real desktop shows, on X servers of its own (Xvfb) with the
# openbox window manager (tests/e2e/e2e_desktop.cpp): the certificate centred
# on its box at every opening at 1024x768 and 1920x1080, and printed to
# "File PDF" as text where the screen has it; the printer choice and name
# windows kept above the window that opened them; a real double click on
# "Verifica" at the 20th answer; the program used by touch alone, each touch
# with a new id (as X11 sends) and all with id 0 (as Wayland does); the
# certificate centred on a screen scaled to 200 %. Never skips: a missing
# tool is a failure.
# Usage: check-desktop.sh BUILD_DIR [SCREENSHOT]  (SCREENSHOT: also save a
# certificate reopened once at 1280x800 there)
set -euo pipefail
build="$(cd "${1:?build directory}" && pwd)"
foto="${2:-}"
[ -z "$foto" ] || foto="$(realpath -m "$foto")"
program="$build/tests/e2e/e2e_desktop"
[ -x "$program" ] || { echo "check-desktop: $program is not built" >&2; exit 1; }
for tool in Xvfb openbox xdotool xprop pdfimages pdftotext python3; do
    command -v "$tool" >/dev/null || { echo "check-desktop: $tool is missing" >&2; exit 1; }
done

cd "$(dirname "$0")/.."
# shellcheck source=scripts/lib/desktop.sh
. scripts/lib/desktop.sh
desktop_init check-desktop
out="$desktop_tmp"

# Xvfb on a free display with openbox on it; sets DISPLAY.
start_desktop() {
    desktop_x "$1"
    desktop_wm
}

export QT_QPA_PLATFORM=xcb LC_ALL=C
failed=0
for size in 1024x768 1920x1080; do
    start_desktop "$size"
    mkdir -p "$out/$size"
    if ! "$program" attestato "$out/$size"; then
        failed=1
    else
        # The printed certificate: no picture, every line where the screen has it.
        python3 - "$out/$size" <<'EOF' || failed=1
import html, re, subprocess, sys
folder = sys.argv[1]
rows = [l.rstrip("\n").split("\t") for l in open(folder + "/attese.txt", encoding="utf-8")]
pdf = [r[1] for r in rows if r[0] == "file"][0]
bw, bh = [int(v) for r in rows if r[0] == "box" for v in r[1:3]]
lines = [(int(r[1]), float(r[2]), float(r[3]), r[4]) for r in rows if r[0] == "riga"]
bad = []
images = subprocess.run(["pdfimages", "-list", pdf], capture_output=True, text=True, check=True).stdout
if len(images.strip().splitlines()) > 2:
    bad.append("the PDF holds images:\n" + images)
# The rectangle: at 1000, 100 twips (50, 5 pt) on the A4 page, 0.75 pt a
# pixel, or scaled down to fit the page.
scale = min(0.75, (595.276 - 50) / bw, (841.89 - 5) / bh)
left, top = 50.0, 5.0
centre = left + bw * scale / 2
bbox = subprocess.run(["pdftotext", "-bbox", pdf, "-"], capture_output=True, text=True, check=True).stdout
words = [(float(m.group(1)), float(m.group(2)), float(m.group(3)), float(m.group(4)), html.unescape(m.group(5)))
         for m in re.finditer(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>', bbox)]
mm = 72 / 25.4
worst_x = worst_y = 0.0
for n, alto, shift, text in lines:
    first = text.split()[0]
    y = top + alto * scale
    cands = [w for w in words if w[4] == first and abs(w[1] - y) < 3 * mm]
    if not cands:
        bad.append(f"line {n} «{text}» not found near y={y:.1f} pt")
        continue
    y0 = cands[0][1]
    same = [w for w in words if abs(w[1] - y0) < 0.5]
    got = " ".join(w[4] for w in sorted(same))
    # pdftotext joins words with one blank.
    if got != " ".join(text.split()):
        bad.append(f"line {n}: «{got}» instead of «{text}»")
    x0, x1 = min(w[0] for w in same), max(w[2] for w in same)
    dx = abs((x0 + x1) / 2 - (centre + shift * scale))
    dy = abs(y0 - y)
    worst_x, worst_y = max(worst_x, dx), max(worst_y, dy)
    if dx > mm or dy > mm:
        bad.append(f"line {n} «{text}» at x {x0:.1f}..{x1:.1f} y {y0:.1f} pt: centre off by {dx:.2f} pt, top by {dy:.2f} pt")
print(f"PDF {pdf}: {len(lines)} lines, no images, rectangle {left:.0f},{top:.0f} {bw*scale:.1f}x{bh*scale:.1f} pt; "
      f"worst centre {worst_x/mm:.2f} mm, worst top {worst_y/mm:.2f} mm")
for b in bad:
    print("FAIL: " + b, file=sys.stderr)
sys.exit(1 if bad else 0)
EOF
    fi
    desktop_stop
done

start_desktop 1280x800
"$program" finestre || failed=1
# Touch through Qt's window-system interface, as its X11 plugin delivers XI2
# touch: a new id per touch, then id 0 reused as a Wayland compositor's slot.
"$program" tocco nuovo || failed=1
"$program" tocco zero || failed=1
if [ -n "$foto" ]; then
    "$program" foto "$foto" || failed=1
fi
desktop_stop

# A screen scaled to 200 %: the certificate still centred, in its pixels.
start_desktop 2048x1536
QT_SCALE_FACTOR=2 "$program" foto "$out/doppia.png" || failed=1
desktop_stop

if [ "$failed" != 0 ]; then
    echo "check-desktop: FAILED" >&2
    exit 1
fi
echo "check-desktop: all checks passed"
