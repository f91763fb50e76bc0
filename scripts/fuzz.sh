#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each for a while, under
# AddressSanitizer and UBSan with a memory ceiling; prints the runs and findings per target.
#
#   FUZZ_TIME=60      seconds per target (libFuzzer's -max_total_time)
#   FUZZ_RUNS=        stop a target after this many runs (-runs), when it comes first
#   FUZZ_TARGETS=     the targets to run, blank-separated (default: all)
#   JOBS=             targets run at once (default: the number of cores)
#
# Each target grows its own corpus in build-fuzz/corpus/<target>, starting from the seeds of
# tests/fuzz/corpus/<target>; what it finds goes to build-fuzz/findings/<target>/. Exits 1
# when any target found a crash, a leak, a timeout or an allocation beyond the ceiling.
set -euo pipefail

cd "$(dirname "$0")/.."
BUILD=${FUZZ_BUILD_DIR:-build-fuzz}
FUZZ_TIME=${FUZZ_TIME:-60}
FUZZ_RUNS=${FUZZ_RUNS:-}
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}

bash scripts/install-deps.sh --fuzz
if [ ! -f "$BUILD/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSKYVANE_FUZZ=ON -DSKYVANE_BUILD_TESTS=OFF -DSKYVANE_BUILD_BENCH=OFF
fi
cmake --build "$BUILD" -j "$JOBS"

targets=${FUZZ_TARGETS:-$(cd tests/fuzz/targets && ls ./*.cpp | sed 's#^\./##; s#\.cpp$##')}
mkdir -p "$BUILD/logs"

run_one() {
  local t=$1
  local corpus="$BUILD/corpus/$t" findings="$BUILD/findings/$t"
  mkdir -p "$corpus" "$findings"
  local limits=(-rss_limit_mb=256 -malloc_limit_mb=64 -timeout=10 -max_total_time="$FUZZ_TIME"
                -print_final_stats=1 -artifact_prefix="$findings/")
  [ -n "$FUZZ_RUNS" ] && limits+=(-runs="$FUZZ_RUNS")
  local status=0
  "$BUILD/tests/fuzz/fuzz_$t" "${limits[@]}" "$corpus" "tests/fuzz/corpus/$t" \
    > "$BUILD/logs/$t.log" 2>&1 || status=$?
  echo "$status" > "$BUILD/logs/$t.status"
}
export -f run_one
export BUILD FUZZ_TIME FUZZ_RUNS
# A small quarantine of freed memory: AddressSanitizer's default of 256 MB would fill the
# resident-set ceiling by itself and be reported as running out of memory.
export ASAN_OPTIONS="quarantine_size_mb=16:detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
printf '%s\n' $targets | xargs -P "$JOBS" -I{} bash -c 'run_one {}'

failed=0
printf '%-22s %12s %8s %8s  %s\n' target runs seconds findings result
for t in $targets; do
  log="$BUILD/logs/$t.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  secs=$(sed -n 's/.*Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
  found=$(find "$BUILD/findings/$t" -type f | wc -l)
  status=$(cat "$BUILD/logs/$t.status")
  result=ok
  if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    result="FOUND (exit $status): see $log"
    failed=1
  fi
  printf '%-22s %12s %8s %8s  %s\n' "$t" "${runs:-?}" "${secs:-?}" "$found" "$result"
done
exit $failed
