#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and runs every test: once in a normal
# build, with the printing check through a real CUPS queue, the desktop check
# on X servers with a window manager, and the Debian
# package built, validated, installed, started and removed; once with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --test

export QT_QPA_PLATFORM=offscreen LC_ALL=C LANG=C

# The code keeps the repository's format (.clang-format).
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
jobs="$(nproc)"

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure
bash scripts/check-accessibility.sh build-test
bash scripts/check-cups.sh build-test
bash scripts/check-desktop.sh build-test
bash scripts/check-wayland.sh build-test
bash scripts/check-package.sh

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPONTELO_SANITIZE=ON
cmake --build build-asan -j"$jobs"
UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure
