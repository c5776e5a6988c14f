#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures a build the way the Debian package is built: optimised, with
# debug information (the package strips it), the distribution's hardening
# (fortified sources, stack protection, full RELRO with immediate binding)
# and installed under /usr. scripts/package.sh builds the package so, and
# scripts/test.sh its normal build, which the package is then made from.
# Usage: configure-package.sh BUILD_DIR [CMAKE OPTION...]
set -euo pipefail
build="$(realpath -m "${1:?build directory}")"
shift
cd "$(dirname "$0")/.."
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "$@"
