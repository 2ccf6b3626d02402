#!/usr/bin/env bash
# Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/: archives made by
# telvoran-mkarchive, with and without faults, and the string libraries of a build with a few
# truncations. The corpora are checked in; run this again when the archive layout, the tool or
# the string libraries change. Usage: fuzz/make-corpus.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
mkarchive=$build/telvoran-mkarchive
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

archives=fuzz/corpus/fuzz_archive_rows
libraries=fuzz/corpus/fuzz_string_library
rm -rf "$archives" "$libraries"
mkdir -p "$archives" "$libraries"

# The first byte of an archive seed chooses how fuzz_archive_rows reads it: bit 0 the kind
# (0 interval, 1 event), bits 1-3 the sort column less one, bits 4-5 the situation texts.
choice() {  # choice <kind 0|1> <sort column> <text set>
  echo $(($1 | ($2 - 1) << 1 | $3 << 4))
}

# seed <name> <choice> <telvoran-mkarchive options...>
seed() {
  local name=$1 byte=$2
  shift 2
  "$mkarchive" --output "$work/$name" --records 6 "$@" >/dev/null
  { printf "\\$(printf %03o "$byte")"; cat "$work/$name"; } >"$archives/$name"
}

seed interval-2-channels "$(choice 0 1 0)" --kind interval --channels 2
seed interval-4-channels "$(choice 0 5 0)" --kind interval --channels 4 --format 4=text
seed interval-0-channels "$(choice 0 2 0)" --kind interval --channels 0
seed interval-header-kind-33 "$(choice 0 3 0)" --kind interval --header-kind 33
seed interval-3-records "$(choice 0 1 0)" --kind interval --header-records 3 --records 0
seed interval-count-5 "$(choice 0 2 0)" --kind interval --count-char 5
seed interval-count-x "$(choice 0 2 0)" --kind interval --count-char x
seed interval-count-missing "$(choice 0 1 0)" --kind interval --count-char missing
seed interval-wrong-kind-header "$(choice 0 1 0)" --kind interval --wrong-kind 2:0
seed interval-wrong-kind-data "$(choice 0 3 0)" --kind interval --wrong-kind 7:33
seed interval-zero-bytes "$(choice 0 2 0)" --kind interval --zero 1:4 --zero 6:value1
seed interval-out-of-range "$(choice 0 4 0)" --kind interval --channels 3 \
  --set-byte 5:year=255 --set-byte 6:month=0 --set-byte 7:hour=255
seed interval-trailing "$(choice 0 1 0)" --kind interval --trailing 17
seed event-every-code "$(choice 1 7 0)" --kind event --records 12 \
  --codes G=1,L=1,H=1,M=1,W=1,O=1,F=1,other=1 --other-codes Xg
seed event-long-texts "$(choice 1 7 3)" --kind event --codes G=1,H=1,O=1,other=1
seed event-boundary-texts "$(choice 1 7 2)" --kind event --codes G=1,L=1,H=1,M=1,W=1,O=1,F=1
seed event-duplicates "$(choice 1 4 0)" --kind event --records 10 --duplicates 50
seed event-addresses "$(choice 1 2 1)" --kind event --address 0-99 \
  --set-byte 1:address=0 --set-byte 2:address=255
seed event-wrong-kind "$(choice 1 3 0)" --kind event --wrong-kind 3:26
seed event-zero-bytes "$(choice 1 5 0)" --kind event --zero 1:reading --zero 2:channel \
  --zero 3:code --zero 4:medium
seed event-out-of-range "$(choice 1 6 0)" --kind event --set-byte 1:year=0 \
  --set-byte 2:second=255 --set-byte 3:day=0
seed event-trailing "$(choice 1 1 0)" --kind event --trailing 39
printf '\001' >"$archives/event-empty"
{ printf '\000'; head -c 40 /dev/zero; } >"$archives/interval-40-zeros"

cp "$build/Telvoran.dll" "$libraries/polish.dll"
cp "$build/lang/en/Telvoran.dll" "$libraries/english.dll"
for length in 64 400 1024 4096; do
  head -c "$length" "$build/Telvoran.dll" >"$libraries/polish-first-$length"
done
echo "Seed corpora written: $(ls "$archives" | wc -l) archives, $(ls "$libraries" | wc -l) libraries"
