#!/usr/bin/env bash
# The installed tree: `cmake --install` into a DESTDIR inside the build
# folder, then what a user of the installed programs meets: the programs run
# from there and find their shipped files in ../share/korvana, the desktop
# entry and the AppStream metainfo pass their validators, and the manual
# page documents every command and option that `korvana-cli --help` lists.
#
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
root=$build/install-test
rm -rf "$root"
trap 'rm -rf "$root"' EXIT
DESTDIR=$root/dest cmake --install "$build" --prefix /usr >/dev/null
usr=$root/dest/usr
fail() { echo "FAIL: $*" >&2; exit 1; }

for f in bin/korvana bin/korvana-cli "share/korvana/KORVANA Help.html" share/korvana/16.dat \
    share/applications/org.korvana.korvana.desktop share/metainfo/org.korvana.korvana.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.korvana.korvana.svg share/man/man1/korvana-cli.1 \
    share/icons/hicolor/{48x48,128x128,256x256}/apps/org.korvana.korvana.png; do
  [ -f "$usr/$f" ] || fail "not installed: $f"
done
for size in 48 128 256; do
  file "$usr/share/icons/hicolor/${size}x${size}/apps/org.korvana.korvana.png" | grep -q "$size x $size" ||
    fail "the ${size}px icon is not ${size}x${size}"
done

# The installed programs run; the CLI finds the palette in ../share/korvana
# (a depth-4 picture exports with its colours, as from the build folder).
"$usr/bin/korvana-cli" demo "$root/demo" >/dev/null
[ "$(QT_QPA_PLATFORM=offscreen "$usr/bin/korvana" --version)" = "korvana $("$usr/bin/korvana-cli" --version | cut -d' ' -f2)" ] ||
  fail "korvana --version and korvana-cli --version differ"
row=$("$usr/bin/korvana-cli" pictures list "$root/demo/demo-bilder.txt" | awk -F'\t' '$7 == "4" {print $1; exit}')
[ -n "$row" ] || fail "the demo has no depth-4 picture"
mkdir -p "$root/installed" "$root/built"
"$usr/bin/korvana-cli" pictures export "$root/demo/demo.bin" "$root/demo/demo-bilder.txt" "$root/installed" "$row" >/dev/null
"$build/bin/korvana-cli" pictures export "$root/demo/demo.bin" "$root/demo/demo-bilder.txt" "$root/built" "$row" >/dev/null
diff -r "$root/installed" "$root/built" >/dev/null || fail "the installed CLI does not find 16.dat"

desktop-file-validate "$usr/share/applications/org.korvana.korvana.desktop"
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/org.korvana.korvana.metainfo.xml" >/dev/null ||
  appstreamcli validate --no-net --pedantic "$usr/share/metainfo/org.korvana.korvana.metainfo.xml"

# Every command and option of the CLI's help is in the manual page, and the
# page reads without warnings.
man=$usr/share/man/man1/korvana-cli.1
cli=$usr/bin/korvana-cli
subcommands() { "$cli" "$@" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && NF {print $1}'; }
for command in $(subcommands); do
  inner=$(subcommands "$command")
  if [ -z "$inner" ]; then
    grep -q "^\.BI \"$command " "$man" || fail "man page lacks the command $command"
    options=$("$cli" "$command" --help | grep -o -- '--[a-z][a-z-]*' || true)
  else
    options=""
    for sub in $inner; do
      grep -q "^\.BI \"$command $sub " "$man" || fail "man page lacks the command $command $sub"
      options+=" $("$cli" "$command" "$sub" --help | grep -o -- '--[a-z][a-z-]*' || true)"
    done
  fi
  for option in $options; do
    [ "$option" = --help ] && continue
    grep -qF -- "$(echo "$option" | sed 's/-/\\-/g')" "$man" || fail "man page lacks $option of $command"
  done
done
grep -qF -- '\-\-version' "$man" || fail "man page lacks --version"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$man" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man page warnings: $warnings"
echo "install tree: ok"
