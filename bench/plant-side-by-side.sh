#!/usr/bin/env bash
# Runs the plant benches of two builds in turn, ROUNDS times, beside `cat` of the same files in
# the same round, and prints each step's median seconds for both builds and the ratio to `cat`:
# on a shared machine two builds are only compared side by side.
#   bench/plant-side-by-side.sh BEFORE_BUILD AFTER_BUILD PLANT [ROUNDS]
# PLANT is a folder made by telvoran-mkarchive --plant (see bench/plant.sh).
set -euo pipefail
before=$1
after=$2
plant=$3
rounds=${4:-5}
year=$(ls "$plant" | grep -E '^[0-9]{4}$' | head -n 1)
log=$(mktemp)
seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N); echo "$end - $start" | bc -l; }
mapfile -d '' all < <(find "$plant" -type f -print0)
mapfile -d '' days < <(find "$plant/$year" -type f -name "*_C07.czt" -print0)
mapfile -d '' events < <(find "$plant" -maxdepth 1 -type f -name '*.zdr' -print0)
all_files() { printf '%s\0' "${all[@]}" | xargs -0 cat; }
year_files() { cat "${days[@]}" "${events[@]}"; }
all_files >/dev/null
for round in $(seq "$rounds"); do
  echo "cat_all $(seconds all_files)" >>"$log"
  echo "cat_year $(seconds year_files)" >>"$log"
  for side in before after; do
    build=${!side}
    "$build/bench/plant_bench" "$plant" 7 2010-03-01 2010-03-30 1 2>/dev/null |
      awk -v side="$side" '{print side "_" $1, $2}' >>"$log"
    echo "${side}_summary $("$build/bench/plant_views_bench" summary "$plant" 7 "$year" 2>/dev/null | cut -d' ' -f1)" >>"$log"
    if out=$("$build/bench/plant_views_bench" summary-folder "$plant" 7 "$year" 2>/dev/null); then
      echo "${side}_summary_folder ${out%% *}" >>"$log"
    fi
    echo "${side}_find $("$build/bench/plant_views_bench" find "$plant" 17.5 | cut -d' ' -f1)" >>"$log"
  done
done
median() { awk -v key="$1" '$1 == key {print $2}' "$log" | sort -g | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]; else print "-"}'; }
cat_all=$(median cat_all)
cat_year=$(median cat_year)
printf '%-26s %9s %9s %9s %11s %11s\n' step before after cat "before/cat" "after/cat"
for step in catalogue_shown catalogue_listed summary summary_folder find span_open span_resort; do
  case $step in summary*) catted=$cat_year ;; span*) catted=- ;; *) catted=$cat_all ;; esac
  b=$(median "before_$step"); a=$(median "after_$step")
  ratio() { if [ "$1" = - ] || [ "$catted" = - ]; then echo -; else printf '%.2f' "$(echo "$1 / $catted" | bc -l)"; fi; }
  printf '%-26s %9s %9s %9s %11s %11s\n' "$step" "$b" "$a" "$catted" "$(ratio "$b")" "$(ratio "$a")"
done
echo "rounds: $rounds, load average: $(cut -d' ' -f1-3 /proc/loadavg)"
rm -f "$log"
