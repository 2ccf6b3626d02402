#!/usr/bin/env bash
# Times telvoran-report on a million-record interval archive against `LC_ALL=C sort` on the same
# rows as plain text, both writing to /dev/null, the two in turn over several runs. Prints the
# median wall time of each and their ratio; the report should take at most half the time of sort.
#
# Usage: bench/report-vs-sort.sh [BUILD_FOLDER] [RUNS]   (defaults: build, 5)
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
runs=${2:-5}
records=1000000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

archive=$work/2005-03-14_C07.czt
rows=$work/rows.txt

# Four channels a minute apart, in the formats a monitoring program writes.
"$build/telvoran-mkarchive" --output "$archive" --records "$records" --seed 3 \
  --start 2005-03-14T00:00:00 --step 1m --channels 4 \
  --range 1=55:90 --format 1=fixed:1 --range 2=-15:35 --format 2=fixed:1 \
  --range 3=0:40 --format 3=fixed:2 --range 4=0:900 --format 4=int

# The rows in file order, each led by its channel 2 value as the sort prefix of column 3: the
# report sorted by date and time without its five heading lines, the value copied from
# positions 44 to 48.
"$build/telvoran-report" "$archive" | tail -n +6 | awk '{ print substr($0, 44, 5) $0 }' >"$rows"

report_command=("$build/telvoran-report" --sort 3 "$archive")
sort_command=(env LC_ALL=C sort "$rows")

# Wall time of one run in seconds, its output discarded.
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  awk -v start="$start" -v end="$end" 'BEGIN { print end - start }'
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# One run of each to warm the page cache, then the counted runs in turn.
seconds "${report_command[@]}" >/dev/null
seconds "${sort_command[@]}" >/dev/null
report_times=()
sort_times=()
for ((run = 0; run < runs; run++)); do
  report_times+=("$(seconds "${report_command[@]}")")
  sort_times+=("$(seconds "${sort_command[@]}")")
done

report=$(printf '%s\n' "${report_times[@]}" | median)
sorted=$(printf '%s\n' "${sort_times[@]}" | median)
printf 'rows: %d (%s bytes as text)\n' "$records" "$(stat -c %s "$rows")"
printf 'telvoran-report --sort 3  median %.3f s   (runs: %s)\n' "$report" "${report_times[*]}"
printf 'LC_ALL=C sort             median %.3f s   (runs: %s)\n' "$sorted" "${sort_times[*]}"
printf 'report / sort: %.2f (target: at most 0.50)\n' \
  "$(awk -v a="$report" -v b="$sorted" 'BEGIN { print a / b }')"
