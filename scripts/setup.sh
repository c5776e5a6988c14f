#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the program needs to build and run on Debian 12, skipping
# what is already there.
set -euo pipefail

packages=(
    g++ cmake make
    qt6-base-dev qt6-qpa-plugins libgl-dev
    # Printing hands jobs to CUPS through its library, to learn the job id
    # and CUPS's answer, and to put a time limit on every request.
    libcups2-dev
    # Fonts metric-compatible with Arial, Times New Roman and Courier New,
    # which the windows and the printouts are laid out in.
    fontconfig fonts-liberation fonts-urw-base35
    # The printout tests read their PDF back with pdftotext.
    poppler-utils
)

# With --package: what building the Debian package needs (debian/rules runs
# dh; the package's tests read their PDFs with poppler-utils, above).
if [ "${1:-}" = "--package" ] || [ "${1:-}" = "--test" ]; then
    packages+=(dpkg-dev debhelper xz-utils)
fi
# With --test: what a sponsor checks the package with: lintian, blhc for the
# hardening flags in the build log, faketime for the second build a day
# later and diffoscope to show how two builds differ; autopkgtest with what
# the package's own tests need (an X server with openbox for the smoke test,
# xdotool and wmctrl to end the program, the validators for its desktop
# entry and metainfo), installed here so that running them adds nothing.
if [ "${1:-}" = "--test" ]; then
    packages+=(lintian blhc faketime diffoscope-minimal autopkgtest)
    packages+=(xvfb xauth openbox xdotool wmctrl x11-utils desktop-file-utils appstream)
fi
# With --test: a real print queue for the printing check, and python3 for
# its printing service that never answers; the end-to-end checks' displays,
# window manager, compositor, D-Bus and AT-SPI bus.
if [ "${1:-}" = "--test" ]; then
    packages+=(cups cups-client printer-driver-cups-pdf python3)
    # The Wayland check: a weston of its own inside an Xvfb, driven by xdotool.
    packages+=(weston qt6-wayland xvfb xdotool x11-utils imagemagick)
    # The desktop check: a window manager and the Qt X11 platform plugin.
    packages+=(openbox qt6-qpa-plugins)
    # The accessibility check: D-Bus, the AT-SPI bus and Python's bindings.
    packages+=(dbus at-spi2-core python3-gi gir1.2-atspi-2.0)
    # ... and what a blind pupil hears: Debian's screen reader with its real
    # speech chain (speech server and synthesiser), driven by keys (xdotool).
    packages+=(orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng)
    # The format check.
    packages+=(clang-format git)
fi
# With --bench: a display server, a window manager and xdotool for start-up timing.
if [ "${1:-}" = "--bench" ]; then
    packages+=(xvfb openbox xdotool)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
