#!/usr/bin/env bash
# Builds the fuzz targets and runs each one for a long time (default 30 minutes), adding to
# the corpus that fuzz/run.sh keeps in the build folder. Usage: fuzz/run-long.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DTELVORAN_FUZZ=ON \
  -DTELVORAN_GUI=OFF -DTELVORAN_BENCH=OFF >/dev/null
cmake --build build-fuzz -j 2
exec fuzz/run.sh "${1:-1800}" build-fuzz
