#!/usr/bin/env bash
# Runs the threaded test programs of a ThreadSanitizer build (make test-tsan), two at a time.
# Usage: run-tsan.sh BUILD_FOLDER [JOBS]
#
# What runs: every engine and component test, every player test but two, and the batch driver's
# tests of the application core (the rest of that program is single-threaded settings and list
# logic and would only add minutes). The two player tests left out measure the playback rate
# and the seek latency against the wall clock, which ThreadSanitizer's slowdown breaks; they run
# in the normal and the AddressSanitizer builds.
set -uo pipefail
build=${1:?build folder}
jobs=${2:-2}
here=$(cd "$(dirname "$0")" && pwd)
cd "$build" || exit 1
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
export TSAN_OPTIONS="halt_on_error=0 second_deadlock_stack=1 history_size=4 suppressions='$here/tsan.supp'"

runs=(
  "./zelta_engine_tests"
  "./zelta_component_tests"
  "./zelta_player_tests --gtest_filter=-FFPlayerTest.PositionsAdvanceAtRealTimeRate*:FFPlayerTest.SeekShowsItsFirstPictureSoon*"
  "./zelta_app_tests --gtest_filter=BatchDriver*"
)
# ThreadSanitizer of this compiler cannot map its shadow memory under the high address
# randomisation of newer kernels ("unexpected memory mapping"); without randomisation it always
# can.
norandom=()
if command -v setarch >/dev/null && setarch "$(uname -m)" -R true 2>/dev/null; then
  norandom=(setarch "$(uname -m)" -R)
fi

status=0
pids=()
names=()
wait_one() {
  local pid=${pids[0]} name=${names[0]}
  if ! wait "$pid"; then
    echo "run-tsan: FAILED: $name (log: $build/${name%% *}.tsan.log)" >&2
    tail -n 60 "${name%% *}.tsan.log" >&2
    status=1
  else
    echo "run-tsan: passed: $name"
  fi
  pids=("${pids[@]:1}")
  names=("${names[@]:1}")
}
for run in "${runs[@]}"; do
  prog=${run%% *}
  "${norandom[@]}" $run >"$prog.tsan.log" 2>&1 &
  pids+=($!)
  names+=("$run")
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait_one
  fi
done
while [ ${#pids[@]} -gt 0 ]; do
  wait_one
done
exit $status
