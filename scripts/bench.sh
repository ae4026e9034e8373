#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine, builds the benchmarks in Release (build-bench/ beside
# the README) and runs them headless. Each figure is printed with its bound and PASS or FAIL; the exit
# status is non-zero when any figure fails.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

build=${WIEDO_BENCH_BUILD_DIR:-$here/build-bench}
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DWIEDO_TESTS=ON -DWIEDO_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target wiedo_bench
QT_QPA_PLATFORM=offscreen "$build/bench/wiedo_bench"
