#!/bin/sh
# The daily summary of a unit's year and a search of a whole plant folder, each against `cat`
# of the same files in the same run (the files read once before, so both find them cached), and
# the unit's ten years opened as one span view: the longest wait of the window meanwhile.
#   bench/plant-views.sh BUILD_FOLDER [PLANT_FOLDER]
# Without a plant folder one is made with telvoran-mkarchive (see bench/plant-folder.sh).
set -eu
. "$(dirname "$0")/plant-folder.sh"
build=$1
plant=$(plant_or_new "$build" "${2:-}")
bench="$build/bench/plant_views_bench"
list=$(mktemp)

year=$(ls "$plant" | grep -E '^[0-9]{4}$' | head -n 1)
"$bench" summary "$plant" 7 "$year" 2>"$list" >/dev/null
set -- $("$bench" summary "$plant" 7 "$year" 2>/dev/null)
catted=$(cat_seconds "$list")
printf 'daily summary of a unit year: %s s, %s files, %s bytes, cat %.3f s, ratio %.1f\n' \
  "$1" "$2" "$3" "$catted" "$(echo "$1 / $catted" | bc -l)"

# From a day's view: only the year's folder is listed, by name (builds before this step lack it).
if out=$("$bench" summary-folder "$plant" 7 "$year" 2>"$list"); then
  set -- $out
  catted=$(cat_seconds "$list")
  printf 'daily summary of a unit year, folder listed: %s s, %s files, cat %.3f s, ratio %.1f\n' \
    "$1" "$2" "$catted" "$(echo "$1 / $catted" | bc -l)"
fi

# The unit's every day, from the first year's folder to the last, read as the window reads it.
window_bench="$build/bench/plant_bench"
if [ -x "$window_bench" ]; then
  last=$(ls "$plant" | grep -E '^[0-9]{4}$' | tail -n 1)
  set -- $("$window_bench" --window "$plant" 7 "$year-01-01" "$last-12-31")
  printf 'ten-year span view opened: %s s, %s rows, longest wait of the window %s ms, progress shown: %s\n' \
    "$1" "$7" "$2" "$3"
  printf 'ten-year span view re-sorted by channel 1: %s s, longest wait of the window %s ms, progress shown: %s\n' \
    "$4" "$5" "$6"
fi

find "$plant" -type f \( -name '*.czt' -o -name '*.zdr' \) >"$list"
cat_seconds "$list" >/dev/null
set -- $("$bench" find "$plant" "17.5")
catted=$(cat_seconds "$list")
printf 'find in the whole folder: %s s, %s files, %s bytes, %s rows found, cat %.3f s, ratio %.1f\n' \
  "$1" "$2" "$3" "$4" "$catted" "$(echo "$1 / $catted" | bc -l)"
rm -f "$list"
