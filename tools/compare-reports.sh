#!/usr/bin/env bash
# Compares the reports of two builds of telvoran-report byte for byte: the demo archives and
# generated archives of both kinds (realistic and random values, equal, falling and shuffled
# dates, duplicates, damaged fields, both string libraries), every sort column; and the text of the
# printouts of the demo archives, page by page. Prints each difference and ends with status 1
# when there is one; the exit status and messages of each run count too.
#
# Usage: tools/compare-reports.sh REFERENCE_BUILD BUILD [RECORDS]   (RECORDS default 200000)
set -euo pipefail

reference=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
records=${3:-200000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mk() { "$build/telvoran-mkarchive" "$@" >/dev/null; }
mkdir -p "$work/archives"
cp "$build"/demo/*.czt "$build"/demo/*.zdr "$work/archives/" 2>/dev/null || true

a=$work/archives
n=$records
# Interval archives.
mk -o "$a/2005-03-16_C07.czt" -n "$n" -s 3 --start 2005-03-16T00:00:00 --step 1m --channels 4 \
  --range 1=55:90 --format 1=fixed:1 --range 2=-15:35 --format 2=fixed:1 \
  --range 3=0:40 --format 3=fixed:2 --range 4=0:900 --format 4=int
mk -o "$a/2006-01-01_C01.czt" -n "$n" -s 4 --channels 4 --format text --step 15m
mk -o "$a/2007-01-01_C02.czt" -n "$n" -s 5 --channels 2 --step 0 --duplicates 30
mk -o "$a/2008-01-01_C03.czt" -n 5000 -s 6 --channels 3 --step 1 --duplicates 50 \
  --set-byte 100:month=0 --set-byte 200:year=255 --zero 300:value2 --set-byte 400:hour=5 \
  --set-byte 4000:day=9 --set-byte 4500:year=120
mk -o "$a/2009-01-01_C00.czt" -n 3000 -s 7 --channels 0 --step 0
mk -o "$a/one.czt" -n 1 --channels 1
# Event archives.
mk -o "$a/events1.zdr" -n "$n" -s 8 --address 0-99 --step 1m \
  --codes G=6,L=2,H=2,M=1,W=1,O=1,F=1,other=1 --other-codes Xg
mk -o "$a/events2.zdr" -n "$n" -s 9 --address 5 --step 0 --duplicates 25 --format text
mk -o "$a/events3.zdr" -n 20000 -s 10 --address 0-99 --step 10 --duplicates 10 \
  --set-byte 100:address=255 --set-byte 200:year=5 --zero 300:reading --zero 400:medium \
  --zero 500:channel --set-byte 600:code=0 --set-byte 700:month=200 --set-byte 800:address=9
mk -o "$a/events4.zdr" -n 1 -s 11
mk -o "$a/events5.zdr" -n 3000 -s 12 --step 1h --channels 4 --codes O=1,F=1,G=1
# Records out of time order: all of them, with copies anywhere, or a few strays.
mk -o "$a/2010-01-01_C04.czt" -n "$n" -s 13 --start 2005-03-16T00:00:00 --step 1m --channels 4 \
  --range 1=55:90 --format 1=fixed:1 --format 4=int --shuffle 100 --duplicates 10
mk -o "$a/events7.zdr" -n "$n" -s 14 --address 0-99 --step 1m --format 2=int --shuffle 100 \
  --duplicates 10
mk -o "$a/events8.zdr" -n "$n" -s 15 --address 0-9 --step 10 --shuffle 3 --format text

# Falling dates: the records of an archive in reverse, after its header.
reverse() {
  perl -e 'binmode STDIN; binmode STDOUT; local $/; my $d = <STDIN>; my $h = 40 * $ARGV[0];
    print substr($d, 0, $h);
    for (my $i = int((length($d) - $h) / 40) - 1; $i >= 0; $i--) { print substr($d, $h + 40 * $i, 40) }' \
    "$3" <"$1" >"$2"
}
reverse "$a/2005-03-16_C07.czt" "$a/2005-03-17_C08.czt" 4
reverse "$a/events1.zdr" "$a/events6.zdr" 0

# Both string libraries, each beside a copy of both tools.
for lang in pl en; do
  for side in reference build; do
    dir=$work/$side-$lang
    mkdir -p "$dir"
    src=$([ "$side" = reference ] && echo "$reference" || echo "$build")
    cp "$src/telvoran-report" "$dir/"
    # The printout module, where the build has one: the tool loads it from its own folder.
    cp "$src"/telvoran-report-pdf.* "$dir/" 2>/dev/null || true
    if [ "$lang" = pl ]; then cp "$src/Telvoran.dll" "$dir/"; else cp "$src/lang/en/Telvoran.dll" "$dir/"; fi
  done
done

differences=0
runs=0
for archive in "$a"/*; do
  case "$archive" in *.czt) columns=5 ;; *.zdr) columns=7 ;; *) continue ;; esac
  for lang in pl en; do
    for ((column = 1; column <= columns; column++)); do
      for side in reference build; do
        set +e
        "$work/$side-$lang/telvoran-report" --sort "$column" "$archive" \
          >"$work/$side.out" 2>"$work/$side.err"
        echo "exit $?" >>"$work/$side.err"
        set -e
      done
      runs=$((runs + 1))
      if ! cmp -s "$work/reference.out" "$work/build.out" ||
        ! cmp -s "$work/reference.err" "$work/build.err"; then
        differences=$((differences + 1))
        echo "DIFFERENT: $(basename "$archive") --sort $column ($lang)"
        cmp "$work/reference.out" "$work/build.out" || true
        diff "$work/reference.err" "$work/build.err" || true
      fi
    done
  done
done

# The printouts: the PDF files themselves carry their time of making, so their text is compared.
if command -v pdftotext >/dev/null; then
  for archive in "$build"/demo/*; do
    printed=yes
    for side in reference build; do
      rm -f "$work/$side.pdf" "$work/$side.txt"
      if ! QT_QPA_PLATFORM=offscreen "$work/$side-pl/telvoran-report" --sort 2 \
        --pdf "$work/$side.pdf" "$archive" 2>"$work/$side.err"; then
        printed=no
        echo "NO PRINTOUT ($side): $(basename "$archive"): $(cat "$work/$side.err")"
        continue
      fi
      pdftotext -layout "$work/$side.pdf" "$work/$side.txt"
    done
    runs=$((runs + 1))
    if [ "$printed" = no ]; then
      differences=$((differences + 1))
    elif ! cmp -s "$work/reference.txt" "$work/build.txt"; then
      differences=$((differences + 1))
      echo "DIFFERENT printout: $(basename "$archive") --sort 2"
    fi
  done
fi
echo "$runs reports compared, $differences different"
[ "$differences" -eq 0 ]
