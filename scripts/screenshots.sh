#!/usr/bin/env bash
# Takes fresh pictures of the program's own windows, headless: the help pictures of the instructions
# windows (resources/images/inform.png, dod1.png .. dod4.png, compiled into the program) and the README's
# pictures (docs/screenshots/). Installs what is missing and builds the picture taker first.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

. "$here/scripts/install_deps.sh"

build=${WIEDO_BUILD_DIR:-$here/build}
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWIEDO_TESTS=ON ${WIEDO_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)" --target wiedo_screenshots

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
QT_QPA_PLATFORM=offscreen "$build/tools/screenshots/wiedo_screenshots" "$out"

cp "$out"/inform.png "$out"/dod1.png "$out"/dod2.png "$out"/dod3.png "$out"/dod4.png "$here/resources/images/"
mkdir -p "$here/docs/screenshots"
cp "$out"/main_window.png "$out"/sign_in.png "$out"/grading_scale.png "$out"/question_editor.png "$out"/message_box.png "$here/docs/screenshots/"
echo "Pictures refreshed in resources/images and docs/screenshots; rebuild the program to compile them in."
