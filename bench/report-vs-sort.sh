#!/usr/bin/env bash
# Times telvoran-report against two yardsticks, for every sort column of both archive kinds, with
# realistic and with random values, and with realistic values out of time order:
#   sort   `LC_ALL=C sort` (its default threads) on the same rows as plain text, each row led by
#          the same key the report sorts by (the rows in file order, the key copied in front);
#   floor  `cat ARCHIVE >/dev/null` followed by `cat` of the report's own bytes into the output:
#          reading the archive and writing the report, with no work between.
# The three commands run in turn, after one warm-up run of each, every one writing its output to
# a file in OUTPUT_FOLDER. Prints the medians, the ratios report / sort (target: at most 0.50)
# and report / floor (target: at most 2.5), and the report's peak resident memory, also as bytes
# a row beyond the 40-byte records and the tool's own footprint (target: at most 16). Rows that
# miss a target end with "<" marks.
#
# Usage: bench/report-vs-sort.sh [BUILD_FOLDER] [RUNS] [RECORDS...]
#        (defaults: build, 3, 1000000; e.g. `bench/report-vs-sort.sh build 3 1000000 10000000`)
# Environment: OUTPUT_FOLDER (default /dev/shm when writable, so that no disk write-back runs
# in the timings), CASES (default "interval-realistic interval-random interval-shuffled
# event-realistic event-random event-shuffled"), COLUMNS (default every column of the kind), BENCH_TMPDIR for the archives and
# rows (default TMPDIR or /tmp; 10M records take about 3 GB there while a case runs).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
runs=${2:-3}
shift $(($# > 2 ? 2 : $#))
sizes=("${@:-1000000}")
cases=(${CASES:-interval-realistic interval-random interval-shuffled event-realistic event-random
  event-shuffled})

work=$(mktemp -d "${BENCH_TMPDIR:-${TMPDIR:-/tmp}}/report-vs-sort.XXXXXX")
if [ -z "${OUTPUT_FOLDER:-}" ] && [ -w /dev/shm ]; then OUTPUT_FOLDER=/dev/shm; fi
out_dir=$(mktemp -d "${OUTPUT_FOLDER:-$work}/report-vs-sort-out.XXXXXX")
trap 'rm -rf "$work" "$out_dir"' EXIT
out=$out_dir/out
copy=$out_dir/report-copy

for tool in /usr/bin/time awk; do
  command -v "$tool" >/dev/null || { echo "report-vs-sort.sh needs $tool" >&2; exit 1; }
done

# The archive of a case: four channels written a minute apart, as a monitoring program writes
# them, with values in their usual formats or five random printable characters; a shuffled case
# is its realistic one with every record in a random place and a tenth of them repeated.
make_archive() { # CASE RECORDS FILE [MORE OPTIONS...]
  local common=(--output "$3" --records "$2" --start 2005-03-14T00:00:00 --step 1m "${@:4}")
  case "$1" in
    *-shuffled) make_archive "${1%-shuffled}-realistic" "$2" "$3" --shuffle 100 --duplicates 10 ;;
    interval-realistic)
      "$build/telvoran-mkarchive" "${common[@]}" --seed 3 --channels 4 \
        --range 1=55:90 --format 1=fixed:1 --range 2=-15:35 --format 2=fixed:1 \
        --range 3=0:40 --format 3=fixed:2 --range 4=0:900 --format 4=int ;;
    interval-random)
      "$build/telvoran-mkarchive" "${common[@]}" --seed 4 --channels 4 --format text ;;
    event-realistic)
      "$build/telvoran-mkarchive" "${common[@]}" --seed 8 --channels 4 --address 0-99 \
        --format 1=fixed:1 --format 2=int --format 3=fixed:2 --format 4=fixed:1 ;;
    event-random)
      "$build/telvoran-mkarchive" "${common[@]}" --seed 9 --channels 4 --address 0-99 \
        --format text --codes G=6,L=2,H=2,M=1,W=1,O=1,F=1,other=1 --other-codes Xg ;;
    *) echo "unknown case $1" >&2; exit 1 ;;
  esac >/dev/null
}

# Where the key of a column lies in a row as drawn: first character (from 1) and width.
key_piece() { # KIND COLUMN
  if [ "$1" = interval ]; then
    [ "$2" -eq 1 ] && echo "1 0" || echo "$((16 * $2 - 4)) 5"
  else
    local pieces=("1 0" "24 2" "31 1" "35 4" "41 5" "48 4" "54 29")
    echo "${pieces[$(($2 - 1))]}"
  fi
}

now() { echo "${EPOCHREALTIME/[.,]/}"; } # microseconds

# Wall time of one run in seconds, its standard output into $out.
seconds() {
  local start end
  start=$(now)
  "$@" >"$out"
  end=$(now)
  awk -v t=$((end - start)) 'BEGIN { printf "%.4f", t / 1e6 }'
}

median() {
  printf '%s\n' "$@" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

report() { "$build/telvoran-report" --sort "$column" "$archive"; }
sort_rows() { LC_ALL=C sort "$rows"; }
floor() { cat "$archive" >/dev/null && cat "$copy"; }

# Peak resident memory of the tool in kilobytes, for a run whose output is discarded.
peak_kb() {
  /usr/bin/time -f %M -o "$out_dir/peak" "$build/telvoran-report" "$@" >/dev/null
  cat "$out_dir/peak"
}

echo "telvoran-report ($build) against LC_ALL=C sort and the floor; medians of $runs runs"
echo "machine: $(nproc) cores; load at start:$(uptime | sed 's/.*load average://')"
printf '%-9s %-19s %3s %9s %9s %9s %8s %9s %8s %8s\n' records case col report_s sort_s \
  floor_s rep/sort rep/floor peak_MB B/row
for records in "${sizes[@]}"; do
  for case_name in "${cases[@]}"; do
    kind=${case_name%%-*}
    extension=$([ "$kind" = interval ] && echo czt || echo zdr)
    archive=$work/2005-03-14_C07.$extension
    make_archive "$case_name" "$records" "$archive"
    # The tool's own footprint: its peak with an archive of one record.
    make_archive "$case_name" 1 "$work/one.$extension"
    base_kb=$(peak_kb "$work/one.$extension")
    # The rows in file order, as drawn, without the heading block and line ends.
    "$build/telvoran-report" "$archive" | tail -n +6 | tr -d '\r' >"$work/plain"
    last_column=$([ "$kind" = interval ] && echo 5 || echo 7)
    for column in ${COLUMNS:-$(seq 1 "$last_column")}; do
      [ "$column" -le "$last_column" ] || continue
      read -r first width <<<"$(key_piece "$kind" "$column")"
      rows=$work/rows
      if [ "$width" -eq 0 ]; then
        ln -sf "$work/plain" "$rows"
      else
        LC_ALL=C awk -v f="$first" -v w="$width" '{ print substr($0, f, w) $0 }' \
          "$work/plain" >"$rows"
      fi
      # Warm-up runs, which also give the report's bytes for the floor and the peak memory.
      report >"$copy"
      sort_rows >/dev/null
      peak=$(peak_kb --sort "$column" "$archive")
      report_times=() sort_times=() floor_times=()
      for ((run = 0; run < runs; run++)); do
        report_times+=("$(seconds report)")
        sort_times+=("$(seconds sort_rows)")
        floor_times+=("$(seconds floor)")
      done
      r=$(median "${report_times[@]}")
      s=$(median "${sort_times[@]}")
      f=$(median "${floor_times[@]}")
      awk -v n="$records" -v c="$case_name" -v col="$column" -v r="$r" -v s="$s" -v f="$f" \
        -v peak="$peak" -v base="$base_kb" 'BEGIN {
          per_row = ((peak - base) * 1024 - 40 * n) / n
          marks = (r > 0.5 * s ? " <sort" : "") (r > 2.5 * f ? " <floor" : "") \
                  (per_row > 16 ? " <memory" : "") (n >= 10000000 && r > 2.5 ? " <2.5s" : "")
          printf "%-9d %-19s %3d %9.3f %9.3f %9.3f %8.2f %9.2f %8.1f %8.1f%s\n",
                 n, c, col, r, s, f, r / s, r / f, peak / 1024, per_row, marks }'
      rm -f "$rows" "$out" "$copy"
    done
    rm -f "$archive" "$work/plain"
  done
done
echo "load at end:$(uptime | sed 's/.*load average://')"
