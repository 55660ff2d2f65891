#!/bin/sh
# package_test.sh CPACK BUILD_DIR APP_ID VERSION
#
# Builds the Debian package from the build tree and checks it as an installation would use it:
# the files it holds, its computed dependencies, the menu entry, AppStream data and manual
# pages, the libraries of the installed programs, and the installed calculator on the installed
# sample workbook, which must print the same JSON as the calculator of the build tree.
set -eu
cpack=$1 build=$2 id=$3 version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "package test: $*" >&2
  exit 1
}

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
deb=$(ls "$work"/out/shaftline_"$version"_*.deb 2>/dev/null) || fail "no shaftline_${version}_*.deb"

# The files, by the paths the programs and the desktop look them up at.
dpkg -c "$deb" | awk '{print $6}' >"$work/files"
for path in usr/bin/shaftline usr/bin/shaftline-calc \
  usr/lib/shaftline/shaftline usr/lib/shaftline/shaftline-calc \
  usr/lib/shaftline/Data.xls usr/lib/shaftline/ris.svg \
  usr/lib/shaftline/modules/shaftline-calc-pdf.so usr/lib/shaftline/modules/shaftline-calc-results.so \
  "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
  "usr/share/icons/hicolor/scalable/apps/$id.svg" "usr/share/icons/hicolor/16x16/apps/$id.png" \
  "usr/share/icons/hicolor/256x256/apps/$id.png" \
  usr/share/man/man1/shaftline.1.gz usr/share/man/man1/shaftline-calc.1.gz \
  usr/share/doc/shaftline/copyright usr/share/doc/shaftline/changelog.gz \
  usr/share/doc/shaftline/manual/manual.html usr/share/doc/shaftline/manual/ris.svg; do
  grep -qx "./$path" "$work/files" || fail "the package lacks /$path"
done

# Dependencies computed from the binaries, plus the platform plugin Qt cannot show a window
# without and the icon theme the icon needs.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6charts6 libgsf-1-114 libstdc++6 \
  qt6-qpa-plugins hicolor-icon-theme; do
  case "$depends" in
  *"$package"*) ;;
  *) fail "Depends does not name $package: $depends" ;;
  esac
done

# The description names every book format and every output.
description=$(dpkg-deb -f "$deb" Description)
for word in .xls .xlsx .ods JSON "text report" "PDF report" "results workbook"; do
  case "$description" in
  *"$word"*) ;;
  *) fail "the description does not name $word" ;;
  esac
done

dpkg -x "$deb" "$work/root"
root=$work/root
desktop-file-validate "$root/usr/share/applications/$id.desktop" ||
  fail "desktop-file-validate refuses the menu entry"
grep -q '^Exec=shaftline %f$' "$root/usr/share/applications/$id.desktop" ||
  fail "the menu entry does not pass the opened book to the program"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 ||
  { cat "$work/as.log" >&2; fail "appstreamcli refuses the metainfo"; }
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not list release $version"
for page in shaftline shaftline-calc; do
  zcat "$root/usr/share/man/man1/$page.1.gz" >"$work/$page.1"
  grep -q "\"shaftline $version\"" "$work/$page.1" || fail "$page(1) is not of version $version"
  groff -k -man -Tutf8 -ww -z "$work/$page.1" 2>"$work/groff.log"
  [ ! -s "$work/groff.log" ] || { head -20 "$work/groff.log" >&2; fail "groff warns on $page(1)"; }
done

for program in shaftline shaftline-calc modules/shaftline-calc-pdf.so modules/shaftline-calc-results.so; do
  if ldd "$root/usr/lib/shaftline/$program" | grep 'not found'; then
    fail "$program needs a library this system lacks"
  fi
done

# The installed calculator, started through its link in bin/, finds the installed sample
# beside its real executable, whatever the working folder, and calculates it as the build does.
for args in "--json" "--base 1 --json"; do
  # shellcheck disable=SC2086 # the arguments are meant to split
  (cd "$work" && "$root/usr/bin/shaftline-calc" $args) >"$work/installed.json" ||
    fail "installed shaftline-calc $args failed"
  # shellcheck disable=SC2086
  "$build/bin/shaftline-calc" $args >"$work/built.json" || fail "shaftline-calc $args failed"
  cmp -s "$work/installed.json" "$work/built.json" ||
    fail "installed and built shaftline-calc $args print different results"
done
# Its modules beside it write the report and the results book.
(cd "$work" && "$root/usr/bin/shaftline-calc" --report "$work/r.pdf" --results "$work/r.xlsx") \
  >/dev/null || fail "installed shaftline-calc could not write the report and the results book"
pdfinfo "$work/r.pdf" >/dev/null 2>&1 || fail "the installed calculator's report is no PDF"
[ "$(head -c 2 "$work/r.xlsx")" = PK ] || fail "the installed calculator's results book is no .xlsx"
echo "package test: $(basename "$deb") passes"
