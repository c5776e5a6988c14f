#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Benchmarks in a Release build (build-bench/): the hot paths with Qt Test's
# QBENCHMARK, then start-up and memory against a bare Qt window under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j"$(nproc)" --target pontelo finestra_nuda bench_pontelo
QT_QPA_PLATFORM=offscreen LC_ALL=C QT_LOGGING_RULES='qt.qpa.*=false' \
    build-bench/tests/bench/bench_pontelo -minimumvalue 200 | grep -E 'RESULT|msecs|^Totals'
bash scripts/bench-startup.sh build-bench "${1:-15}"
