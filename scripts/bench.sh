#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine, builds the benchmarks in Release (build-bench/ beside
# the README) and runs them headless. Each figure is printed with its bound and PASS or FAIL; the exit
# status is non-zero when any figure fails. The README's section on the benchmarks lists the figures (13 and 19:
# importing the largest set written as GIFT and as an XML export); WIEDO_BENCH_ONLY=13,19 runs only those.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

. "$here/scripts/install_deps.sh"

build=${WIEDO_BENCH_BUILD_DIR:-$here/build-bench}
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DWIEDO_TESTS=ON -DWIEDO_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target wiedo_bench
QT_QPA_PLATFORM=offscreen "$build/bench/wiedo_bench"
