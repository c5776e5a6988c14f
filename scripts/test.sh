#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and runs every test: once in a normal
# build, which is the Debian package's own, with the printing check through a
# real CUPS queue, the desktop check on X servers with a window manager, and
# the Debian packages checked as a sponsor would (lintian, blhc, a second
# build that must give the same bytes, autopkgtest, install and removal);
# once with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --test

export QT_QPA_PLATFORM=offscreen LC_ALL=C LANG=C

# The code keeps the repository's format (.clang-format).
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
jobs="$(nproc)"

# The normal build is the Debian package's build from the release tarball
# (dpkg-buildpackage, whose dh_auto_test runs every test with ctest, side by
# side: each keeps its files in folders of its own). The checks below use its
# build folder, so nothing is compiled twice.
bash scripts/package.sh build-test >/dev/null
build="$(ls -d build-test/pontelo-*/obj-*)"

# The sanitizer build compiles while the checks below mostly wait on their
# displays, queues and package tools; at the lowest priority, so that they
# keep their pace. It builds what ctest runs, nothing more.
mkdir -p build-asan
setsid --wait nice -n 19 bash -c 'cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPONTELO_SANITIZE=ON &&
    cmake --build build-asan -j"$1" --target pontelo_tests' _ "$jobs" >build-asan/build.log 2>&1 &
asan=$!
# A failed check ends the script; the build must not outlive it.
trap '[ -z "$asan" ] || kill -- -"$asan" 2>/dev/null || true' EXIT

bash scripts/check-accessibility.sh "$build"
bash scripts/check-cups.sh "$build"
bash scripts/check-desktop.sh "$build"
bash scripts/check-wayland.sh "$build"
bash scripts/check-package.sh build-test

status=0
wait "$asan" || status=$?
asan=""
if [ "$status" -ne 0 ]; then
    cat build-asan/build.log
    echo "the sanitizer build failed" >&2
    exit 1
fi
echo "sanitizer build: $(tail -n 1 build-asan/build.log)"
UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -j"$jobs"
