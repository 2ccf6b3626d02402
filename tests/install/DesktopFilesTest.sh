#!/usr/bin/env bash
# Checks the desktop files as they are installed (build/share/): the desktop entry and the
# metainfo pass their validators, the MIME info compiles and maps both extensions, every icon
# named is there in SVG and every PNG size, and the manual pages format without warnings.
# Usage: DesktopFilesTest.sh <share folder> <application id>
set -u
share=$1
id=$2
status=0
fail() {
  echo "FAIL: $*"
  status=1
}

desktop=$share/applications/$id.desktop
metainfo=$share/metainfo/$id.metainfo.xml
mime=$share/mime/packages/$id.xml

desktop-file-validate "$desktop" || fail "desktop-file-validate: $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate: $metainfo"

mime_root=$(mktemp -d)
trap 'rm -rf "$mime_root"' EXIT
mkdir "$mime_root/packages"
cp "$mime" "$mime_root/packages/"
# It speaks of the folder not being searched, which is true and beside the point.
output=$(update-mime-database "$mime_root" 2>&1) || fail "update-mime-database refused $mime: $output"
for glob in czt:interval zdr:event; do
  grep -qx "50:application/x-telvoran-${glob#*:}-archive:\*\.${glob%:*}" "$mime_root/globs2" ||
    fail "*.${glob%:*} is not a ${glob#*:} archive"
done

# The entry opens exactly the types the MIME info defines.
types=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' '\n' | sed '/^$/d' | sort)
defined=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime" | sort)
[ "$types" = "$defined" ] || fail "the entry's types ($types) are not the defined ones ($defined)"
grep -qx 'Exec=telvoran %F' "$desktop" || fail "the entry does not pass the files it opens"

# The program's icon and each type's icon, scalable and at every fixed size.
icons=("apps/$(sed -n 's/^Icon=//p' "$desktop")")
for name in $(sed -n 's/.*<icon name="\([^"]*\)".*/\1/p' "$mime"); do icons+=("mimetypes/$name"); done
[ ${#icons[@]} -eq 3 ] || fail "expected the program's icon and two type icons: ${icons[*]}"
for icon in "${icons[@]}"; do
  [ -s "$share/icons/hicolor/scalable/$icon.svg" ] || fail "no scalable icon $icon"
  for size in 16 22 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/$icon.png
    [ "$(file -b "$png" 2>/dev/null | cut -d, -f2)" = " $size x $size" ] ||
      fail "$png is not a $size x $size PNG picture"
  done
done

for page in telvoran telvoran-report telvoran-mkarchive; do
  file=$share/man/man1/$page.1.gz
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "manual page $page: $warnings"
  LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$file" 2>/dev/null | grep -q "^SYNOPSIS" ||
    fail "manual page $page does not format"
done

[ $status -eq 0 ] && echo PASS
exit $status
