#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of the program in build-package/; prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --package >&2
# The distribution's hardening: fortified sources, stack protection, full
# RELRO with immediate binding.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DPONTELO_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >&2
cmake --build build-package -j"$(nproc)" >&2
(cd build-package && cpack -G DEB >&2)
ls -1 "$PWD"/build-package/pontelo_*.deb | tail -1
