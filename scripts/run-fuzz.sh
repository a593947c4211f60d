#!/usr/bin/env bash
# Runs each fuzz target of a fuzz build for a while (make fuzz-run).
# Usage: run-fuzz.sh FUZZ_BUILD SECONDS TARGET...
# Each target grows its own corpus in FUZZ_BUILD/corpus/TARGET from FUZZ_BUILD/seeds/TARGET;
# a crash, a leak, an input running longer than 25 s or a process above 2.5 GB stops the target
# with its input in FUZZ_BUILD/artifacts/TARGET, and the script fails.
set -uo pipefail
build=${1:?fuzz build folder}
seconds=${2:?seconds per target}
shift 2
cd "$build" || exit 1
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for target in "$@"; do
  mkdir -p "corpus/$target" "artifacts/$target" "seeds/$target"
  echo "run-fuzz: $target for $seconds s"
  if ! "./$target" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2560 \
       -print_final_stats=1 -artifact_prefix="artifacts/$target/" \
       "corpus/$target" "seeds/$target" >"$target.fuzz.log" 2>&1; then
    echo "run-fuzz: $target FAILED (log: $build/$target.fuzz.log)" >&2
    tail -n 80 "$target.fuzz.log" >&2
    status=1
  else
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$target.fuzz.log" |
      sed "s/^/run-fuzz: $target /"
  fi
done
exit $status
