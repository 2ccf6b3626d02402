#!/bin/sh
# A unit's ten-year channel chart with its alarm band: first shown, the slowest and the median
# zoom or pan step, and the chart's memory, against `cat` of the same files in the same run (the
# files read once before, so both find them cached).
#   bench/span-chart.sh BUILD_FOLDER [PLANT_FOLDER]
# Without a plant folder one is made with telvoran-mkarchive (see bench/plant-folder.sh).
set -eu
. "$(dirname "$0")/plant-folder.sh"
build=$1
plant=$(plant_or_new "$build" "${2:-}")
bench="$build/bench/span_chart_bench"
list=$(mktemp)

"$bench" "$plant" 7 2>"$list" >/dev/null
xargs -d '\n' cat <"$list" >/dev/null
set -- $("$bench" "$plant" 7 2>/dev/null)
catted=$(cat_seconds "$list")
printf 'ten-year chart first shown: %s s, %s files, %s bytes, cat %.3f s, ratio %.1f\n' \
  "$1" "$7" "$8" "$catted" "$(echo "$1 / $catted" | bc -l)"
printf 'zoom or pan step, alarms band included: slowest %s s, median %s s of %s steps, ratio of the slowest to cat %.3f\n' \
  "$2" "$3" "$4" "$(echo "$2 / $catted" | bc -l)"
printf 'chart memory: index %s bytes, resident growth %s bytes (%.1f MB), ratio to the files read %.2f\n' \
  "$5" "$6" "$(echo "$6 / 1048576" | bc -l)" "$(echo "$6 / $8" | bc -l)"
rm -f "$list"
