#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of the program; prints its path.
# Usage: package.sh [BUILD_DIR]
# Without BUILD_DIR it builds the program alone in build-package/. Given a
# build directory (the test command passes its normal build, tests and all),
# it configures that one the package's way, which changes nothing in a build
# configured so already, and packages it without compiling it again.
set -euo pipefail
build="$(realpath -m "${1:-$(dirname "$0")/../build-package}")"
cd "$(dirname "$0")/.."
bash scripts/setup.sh --package >&2
if [ $# -gt 0 ]; then
    bash scripts/configure-package.sh "$build" >&2
else
    bash scripts/configure-package.sh "$build" -DPONTELO_TESTS=OFF >&2
fi
cmake --build "$build" -j"$(nproc)" >&2
(cd "$build" && cpack -G DEB >&2)
ls -1 "$build"/pontelo_*.deb | tail -1
