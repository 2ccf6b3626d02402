#!/usr/bin/env bash
# Times a plant's folder as the program meets it, beside `cat` of the same files' bytes in the
# same run (after one warm-up reading, so that both read from the page cache):
#   catalogue shown   the catalogue window made, the folder listed and the calendar painted;
#                     against `cat` of every file of the folder (target: under 1 s)
#   span open/resort  a month of one unit read as one view, and read again by another column;
#                     against `cat` of that month's files (target: under 0.1 s each)
# The plant is made by telvoran-mkarchive when PLANT (default $TMPDIR/telvoran-plant) does not
# hold one yet (see bench/plant-folder.sh for its size).
#
# Usage: bench/plant.sh [BUILD_FOLDER] [RUNS]
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
runs=${2:-5}
plant=${PLANT:-${TMPDIR:-/tmp}/telvoran-plant}
unit=7
from=2010-03-01
to=2010-03-30

. "$(dirname "$0")/plant-folder.sh"
[ -d "$plant" ] || make_plant "$build" "$plant"

# The median seconds of `runs` runs of a command.
median() {
  local times=()
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc -l)")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

# The files' names are listed before the timings, so that `cat` only reads.
mapfile -d '' all < <(find "$plant" -type f -print0)
mapfile -d '' month < <(find "$plant" -type f -name "2010-03-*_C0$unit.czt" ! -name "2010-03-31_*" -print0)
all_files() { printf '%s\0' "${all[@]}" | xargs -0 cat; }
month_files() { cat "${month[@]}"; }
all_files >/dev/null
month_files >/dev/null

cat_all=$(median all_files)
cat_month=$(median month_files)
results=$("$build/bench/plant_bench" "$plant" "$unit" "$from" "$to" "$runs")
value() { echo "$results" | awk -v key="$1" '$1 == key {print $2}'; }

printf '%-18s %10s %10s %8s %10s\n' step seconds cat ratio target
row() { printf '%-18s %10.4f %10.4f %8.3f %10s\n' "$1" "$2" "$3" "$(echo "$2 / $3" | bc -l)" "$4"; }
row "catalogue shown" "$(value catalogue_shown)" "$cat_all" "< 1 s"
row "  folder listed" "$(value catalogue_listed)" "$cat_all" ""
row "span month open" "$(value span_open)" "$cat_month" "< 0.1 s"
row "span re-sort" "$(value span_resort)" "$cat_month" "< 0.1 s"
echo "files: ${#all[@]}, bytes: $(du -sb "$plant" | cut -f1), load average: $(cut -d' ' -f1 /proc/loadavg)," \
  "span files: $(value span_files), span rows: $(value span_rows)"
