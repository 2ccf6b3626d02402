#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for SECONDS each, from its seed corpus in
# fuzz/corpus/<target>/. New inputs gather in <build>/fuzz/corpus/<target>/ and are kept for
# the next run; an input that breaks a target is kept in <build>/fuzz/crashes/<target>/, its
# log is shown and the script fails.
# Usage: fuzz/run.sh SECONDS [build folder, default build-fuzz]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh SECONDS [build folder]}
build=${2:-build-fuzz}

failed=0
while read -r target; do
  [ -n "$target" ] || continue
  corpus=$build/fuzz/corpus/$target
  crashes=$build/fuzz/crashes/$target
  log=$build/fuzz/$target.log
  mkdir -p "$corpus" "$crashes"
  seeds=()
  [ -d "fuzz/corpus/$target" ] && seeds=("fuzz/corpus/$target")
  # -timeout: an input that takes this long hangs the program; -rss_limit_mb: one that needs
  # this much memory exhausts it. Both count as failures.
  if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$crashes/" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $target: ${seconds} s, $runs inputs, no failure"
  else
    failed=1
    echo "fuzz $target: FAILED; the input is in $crashes/. End of $log:"
    tail -n 40 "$log"
  fi
done <"$build/fuzz/targets.txt"
exit "$failed"
