#!/bin/bash
# Builds the fuzz targets, makes their seed corpus from the end-to-end cases
# and runs each target for a budget (fuzz/README.md).
#
#   fuzz/run-fuzz.sh SECONDS [TARGET...]   every target (or those named)
#
# make fuzz FUZZ_SECONDS=600 calls it; make test runs every target briefly.
# JOBS targets run at once. What a target finds goes to
# build/fuzz/findings/TARGET/ (emptied at the start; fix what is there
# and keep the input in fuzz/regressions/TARGET/); the corpus a target grows is kept in
# build/fuzz/corpus/TARGET/ for the next run. Exit status 1 when a target
# found something or did not finish.
set -uo pipefail
cd "$(dirname "$0")/.."

budget=${1:?usage: fuzz/run-fuzz.sh SECONDS [TARGET...]}
shift
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=(command_line session profile sensor_file prtg_path trace_scan landscape)
JOBS=${JOBS:-2}
BUILD=build/fuzz
LOGS=$BUILD/logs

echo "Building the fuzz targets ($BUILD)"
if ! { cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
         -DKELDAR_FUZZ=ON -DKELDAR_TESTS=OFF >"$BUILD.configure.log" 2>&1 &&
       cmake --build "$BUILD" -j "$JOBS" --target keldar_fuzz >"$BUILD.build.log" 2>&1; }; then
  grep -a -A12 -e '^FAILED:' -e 'CMake Error' "$BUILD.configure.log" "$BUILD.build.log" | head -60
  echo "fuzz targets not built: see $BUILD.configure.log and $BUILD.build.log"
  exit 1
fi

rm -rf "$BUILD/seeds" "$LOGS"
mkdir -p "$LOGS"
if ! "$BUILD/bin/keldar_fuzz_seeds" --cases tests/e2e/cases --source . --bin "$BUILD/bin" \
       --out "$BUILD/seeds"; then
  echo "no seed corpus"
  exit 1
fi

# Leaks count as findings; so does any UBSan report.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run_target() {
  local target=$1
  local corpus=$BUILD/corpus/$target findings=$BUILD/findings/$target
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings" "$BUILD/seeds/$target"
  local regressions=()
  [[ -d fuzz/regressions/$target ]] && regressions=(fuzz/regressions/$target)
  # The regressions run first, with the seeds, before any fuzzing: a fixed
  # finding that comes back fails at once. -timeout: an input that takes
  # longer is a hang.
  "$BUILD/bin/fuzz_$target" "$corpus" "$BUILD/seeds/$target" "${regressions[@]}" \
    -max_total_time="$budget" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$LOGS/$target.log" 2>&1
  echo $? >"$LOGS/$target.status"
}

echo "Fuzzing ${#targets[@]} targets for $budget s each, $JOBS at once"
for target in "${targets[@]}"; do
  while (($(jobs -rp | wc -l) >= JOBS)); do wait -n; done
  run_target "$target" &
done
wait

failed=0
printf '\n  %-14s %12s %10s %9s  %s\n' target executions exec/s findings result
for target in "${targets[@]}"; do
  log=$LOGS/$target.log
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  found=$(find "$BUILD/findings/$target" -type f | wc -l)
  status=$(cat "$LOGS/$target.status" 2>/dev/null || echo "?")
  result=ok
  if [[ $status != 0 || $found -gt 0 || -z $runs ]]; then
    result="FAILED (status $status), see $log"
    failed=1
  fi
  printf '  %-14s %12s %10s %9s  %s\n' "$target" "${runs:-?}" "${speed:-?}" "$found" "$result"
done
if ((failed)); then
  for target in "${targets[@]}"; do
    if [[ $(cat "$LOGS/$target.status" 2>/dev/null) != 0 ]]; then
      echo; echo "== $target"; grep -a -A30 -m1 -e '^==[0-9]*==ERROR' -e 'ERROR: libFuzzer' \
        -e 'runtime error' -e '^not ' -e '^exit status' "$LOGS/$target.log" | head -40
    fi
  done
fi
exit $failed
