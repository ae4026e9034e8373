#!/usr/bin/env bash
# The installed program as a school's administrator gets it: the desktop entry is valid, `cmake --install`
# puts the program, its example sets, the entry, the question sets' file type and the icons into the
# prefix, the file type claims *.kwz in any letter case, and the Debian package holds the same.
#   tst_packaging.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$source/packaging/wiedo.desktop" || fail "the desktop entry is not valid"
grep -qx 'Categories=Education;' "$source/packaging/wiedo.desktop" || fail "not in the Education menu"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in lib/wiedo/wiedo lib/wiedo/historia.kwz lib/wiedo/przyroda.kwz lib/wiedo/geografia.kwz \
         share/applications/wiedo.desktop share/mime/packages/wiedo-kwz.xml \
         share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/wiedo.png; do
    [ -s "$prefix/$f" ] || fail "$f is not installed"
done
[ "$(readlink -f "$prefix/bin/wiedo")" = "$(readlink -f "$prefix/lib/wiedo/wiedo")" ] ||
    fail "bin/wiedo does not lead to the program"
[ "$("$prefix/bin/wiedo" --version)" = "wiedo 1.1" ] || fail "the installed program does not start"

update-mime-database "$prefix/share/mime" >/dev/null
grep -q '^50:application/x-wiedo-kwz:\*\.kwz$' "$prefix/share/mime/globs2" || fail "*.kwz is not the set's file type"
grep -q 'application/x-wiedo-kwz' "$prefix/share/mime/magic" || fail "the set's header is not recognised"

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null) || fail "cpack could not build the package"
deb=$(ls "$work"/package/wiedo_*.deb)
contents=$(dpkg -c "$deb")
for f in ./usr/lib/wiedo/wiedo ./usr/share/applications/wiedo.desktop ./usr/share/mime/packages/wiedo-kwz.xml; do
    grep -q " $f\$" <<<"$contents" || fail "the package lacks $f"
done
control=$(dpkg -I "$deb")
grep -q '^ Depends: .*libqt6widgets6' <<<"$control" || fail "the package does not depend on Qt"
grep -q '^ Depends: .*libqt6printsupport6' <<<"$control" || fail "the package does not depend on Qt's printing library"
echo "1 passed, 0 failed"
