#!/usr/bin/env bash
# The Debian package, as a user gets it.
#  build:    cpack makes telvoran_<version>_amd64.deb from the build folder and it is unpacked
#            into <build>/package-test/root (the other two cases use that root);
#  contents: the package holds the install layout under /usr, its share/ is the build's,
#            its dependencies are computed, and the unpacked usr/bin/telvoran-report writes
#            the same reports as the build's and prints through its module;
#  desktop:  the unpacked usr/bin/telvoran, started through its link with a demo archive under a
#            private X server, finds its string library and help file and shows the archive;
#  lintian:  Debian's package checker finds neither error nor warning in the package (skipped
#            where lintian is not installed).
# Usage: PackageTest.sh <build folder> <version> build|contents|desktop|lintian
set -u
build=$1
version=$2
case_name=$3
test_dir=$build/package-test
root=$test_dir/root
deb=$test_dir/telvoran_${version}_amd64.deb

case "$case_name" in
build)
  rm -rf "$test_dir"
  mkdir -p "$test_dir"
  "${CPACK:-cpack}" -G DEB -B "$test_dir" --config "$build/CPackConfig.cmake" >"$test_dir/cpack.log" 2>&1 ||
    { cat "$test_dir/cpack.log"; echo "FAIL: cpack"; exit 1; }
  [ -f "$deb" ] || { ls "$test_dir"; echo "FAIL: no $deb"; exit 1; }
  dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x"; exit 1; }
  echo PASS
  exit 0
  ;;
contents | desktop | lintian) ;;
*)
  echo "FAIL: unknown case $case_name"
  exit 1
  ;;
esac

[ -d "$root/usr" ] || { echo "FAIL: the package was not built and unpacked"; exit 1; }
status=0
fail() {
  echo "FAIL: $*"
  status=1
}

if [ "$case_name" = lintian ]; then
  command -v lintian >/dev/null || { echo "SKIP: lintian is not installed"; exit 77; }
  # Informational tags and notes do not count; errors and warnings do.
  findings=$(lintian --no-tag-display-limit "$deb" 2>&1)
  echo "$findings"
  grep -qE '^[EW]: ' <<<"$findings" && fail "lintian finds errors or warnings"
  [ $status -eq 0 ] && echo PASS
  exit $status
fi

if [ "$case_name" = contents ]; then
  for file in lib/telvoran/telvoran lib/telvoran/telvoran-report bin/telvoran-mkarchive; do
    [ -x "$root/usr/$file" ] || fail "no program usr/$file"
  done
  for file in Telvoran.dll Telvoran.hlp lang/en/Telvoran.dll lang/en/Telvoran.hlp; do
    cmp -s "$root/usr/lib/telvoran/$file" "$build/$file" || fail "usr/lib/telvoran/$file differs"
  done
  for link in telvoran telvoran-report; do
    [ "$(readlink "$root/usr/bin/$link")" = "../lib/telvoran/$link" ] ||
      fail "usr/bin/$link is not a link to ../lib/telvoran/$link"
  done
  diff -r "$build/share" "$root/usr/share" || fail "usr/share is not the build's share/"
  unexpected=$(cd "$root" && find . -type f -o -type l | grep -v -e '^\./usr/lib/telvoran/' \
    -e '^\./usr/bin/telvoran' -e '^\./usr/share/')
  for file in copyright changelog.gz; do
    [ -f "$root/usr/share/doc/telvoran/$file" ] || fail "no usr/share/doc/telvoran/$file"
  done
  [ -z "$unexpected" ] || fail "files outside the layout: $unexpected"

  depends=$(dpkg-deb -f "$deb" Depends)
  for package in libc6 libqt6core6 libqt6widgets6 libqt6network6 libqt6printsupport6 libqt6svg6; do
    [ "$(grep -oE "(^|, )$package( |,|$)" <<<"$depends" | wc -l)" -eq 1 ] ||
      fail "Depends does not name $package once: $depends"
  done
  dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./triggers | grep -qx 'activate-noawait /usr/share/mime/packages' ||
    fail "the package does not refresh the MIME database"

  # The installed report tool finds its string library through its link and writes the same
  # bytes as the build's, for both kinds of archive.
  for run in "alarm2005.zdr" "--sort 7 alarm2009.zdr" "--sort 3 2005-03-15_C12.czt"; do
    set -- $run
    archive=$build/demo/${!#}
    expected=$("$build/telvoran-report" "${@:1:$#-1}" "$archive" | od -c)
    actual=$("$root/usr/bin/telvoran-report" "${@:1:$#-1}" "$archive" | od -c)
    [ -n "$expected" ] && [ "$actual" = "$expected" ] || fail "report of $run differs"
  done
  # Its printout comes from the module installed beside it.
  [ -f "$root/usr/lib/telvoran/telvoran-report-pdf.so" ] || fail "no usr/lib/telvoran/telvoran-report-pdf.so"
  rm -f "$test_dir/installed.pdf"
  "$root/usr/bin/telvoran-report" --pdf "$test_dir/installed.pdf" "$build/demo/alarm2005.zdr" ||
    fail "the installed telvoran-report printed no PDF"
  if command -v pdfinfo >/dev/null; then
    pdfinfo "$test_dir/installed.pdf" | grep -qE '^Pages: +[1-9]' || fail "the installed printout has no pages"
  fi
  "$root/usr/bin/telvoran-mkarchive" --output "$test_dir/made.zdr" --records 3 ||
    fail "the installed telvoran-mkarchive failed"
  [ $status -eq 0 ] && echo PASS
  exit $status
fi

# desktop: the installed program, started through usr/bin/telvoran.
wait_limit=60
source "$(dirname "$0")/../support/XvfbSession.sh"
start "$root/usr/bin/telvoran" "$build/demo/alarm2005.zdr"
copy=$!
main=$(wait_for_windows "$copy" Telvoran) || fail "no main window"
wait_for_event_rows "$main" || fail "the demo archive is not shown"
# No error box for a missing string library, no message for a missing help file.
sleep 1
[ "$(windows_titled "$copy" Telvoran | wc -l)" -eq 1 ] || fail "a message box came up"
[ -z "$(windows_titled "$copy" Error)" ] || fail "the string library was not found"
kill -0 "$copy" 2>/dev/null || fail "the program ended"
[ $status -eq 0 ] && echo PASS
exit $status
