#!/usr/bin/env bash
# Runs every benchmark program of the build folder given as $1 and keeps the results as JSON
# in that folder (bench-<name>.json) next to the console table.
set -euo pipefail
build=${1:-build}
for src in "$(dirname "$0")"/*Bench.cpp; do
  name=$(basename "$src" .cpp)
  echo "== $name"
  "$build/$name" --benchmark_out="$build/bench-$name.json" --benchmark_out_format=json
done
