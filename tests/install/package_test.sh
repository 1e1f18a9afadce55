#!/usr/bin/env bash
# The Debian package: cpack -G DEB in the build folder makes
# korvana_<version>_amd64.deb whose dependencies come from the binaries and
# whose files are those of the installed tree.
#
#   package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
out=$build/package-test
rm -rf "$out"
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$out/korvana_${version}_amd64.deb
[ -f "$deb" ] || fail "no $deb: $(ls "$out")"

files=$(dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}//')
for f in ./usr/bin/korvana ./usr/bin/korvana-cli "./usr/share/korvana/KORVANA Help.html" ./usr/share/korvana/16.dat \
    ./usr/share/applications/org.korvana.korvana.desktop ./usr/share/metainfo/org.korvana.korvana.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.korvana.korvana.svg \
    ./usr/share/icons/hicolor/256x256/apps/org.korvana.korvana.png ./usr/share/man/man1/korvana-cli.1; do
  grep -qxF -- "$f" <<<"$files" || fail "the package lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6network6 libc6; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
echo "package: ok ($depends)"
