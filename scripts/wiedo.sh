#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine, builds WIEDO, then starts it ("run") or runs the whole
# test suite headless ("test"). Extra arguments after "test" go to ctest.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
action=${1:-run}
shift || true

. "$here/scripts/install_deps.sh"

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
