#!/usr/bin/env bash
# Runs the view_bench programs of several builds in turn, ROUNDS times, each benchmark once a
# run, and prints for every benchmark and build the median wall and CPU time in milliseconds and
# its counter (the peak resident memory in MB, or the bytes a save wrote): on a shared machine
# two builds are only compared side by side.
#
# Usage: bench/view-bench-side-by-side.sh RECORDS ROUNDS FILTER VIEW_BENCH...
#        e.g. bench/view-bench-side-by-side.sh 10000000 3 'Open|Resort|Save' \
#             /tmp/main-build/bench/view_bench build/bench/view_bench
set -euo pipefail

records=$1
rounds=$2
filter=$3
shift 3
results=$(mktemp)
trap 'rm -f "$results"' EXIT

# Each benchmark runs in a process of its own: its peak memory is then its own, and the CSV
# writer, which wants every run of a process to have the same counters, takes the save
# benchmarks' "bytes" as well as the others' "peak_MB".
mapfile -t benchmarks < <("$1" "$records" --benchmark_list_tests --benchmark_filter="$filter" 2>/dev/null)
[ ${#benchmarks[@]} -gt 0 ] || { echo "no benchmark matches $filter" >&2; exit 1; }

echo "load at start:$(uptime | sed 's/.*load average://')"
for ((round = 0; round < rounds; round++)); do
  for benchmark in "${benchmarks[@]}"; do
    for program in "$@"; do
      # CSV lines: name, iterations, real time, CPU time, unit, ..., the counter last.
      "$program" "$records" --benchmark_filter="^$benchmark\$" --benchmark_min_time=0.01 \
        --benchmark_format=csv 2>/dev/null |
        awk -F, -v build="$program" '/^"BM_/ { gsub(/"/, "", $1); print build, $1, $3, $4, $NF }' \
          >>"$results"
    done
  done
done
echo "load at end:$(uptime | sed 's/.*load average://')"

printf '%-45s %-40s %10s %10s %10s\n' benchmark build wall_ms cpu_ms counter
sort -k2,2 -k1,1 -s "$results" | awk '
  function median(list,   n, v, i, j, t) {
    n = split(list, v, " ")
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] + 0 < v[i] + 0) { t = v[i]; v[i] = v[j]; v[j] = t }
    return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
  }
  { key = $2 " " $1; if (!(key in wall)) order[++count] = key
    wall[key] = wall[key] " " $3; cpu[key] = cpu[key] " " $4; peak[key] = $5 }
  END { for (i = 1; i <= count; i++) { split(order[i], k, " ")
          printf "%-45s %-40s %10.0f %10.0f %10.4g\n", k[1], k[2], median(wall[order[i]]),
                 median(cpu[order[i]]), peak[order[i]] } }'
