#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine, builds WIEDO, then starts it ("run") or runs the whole
# test suite headless ("test"). Extra arguments after "test" go to ctest.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
action=${1:-run}
shift || true

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

build=${WIEDO_BUILD_DIR:-$here/build}
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${WIEDO_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"

case "$action" in
  run)
    exec "$build/wiedo"
    ;;
  test)
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure "$@"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
