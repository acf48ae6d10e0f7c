#!/bin/bash
# make bench: the sensor's cost against the floor that no sensor can beat.
#
#   1. In process (Google Benchmark): the tree walk over rows in memory, the
#      result writer in every output mode, the profile and sensor-file
#      readers.
#   2. Whole process (hyperfine), against the simulated RFC library: every
#      sensor run timed beside the floor client (bench/floor_client.cpp),
#      which makes the same round trips and nothing else, in the same
#      hyperfine invocation; the peak resident sizes of both on the same
#      work; trees of 10 to 100k nodes, global runs over 1 to 50 systems,
#      the simulator's per-call delay at 0 and at 5 ms.
#
# Before a work is timed, its sensor run and its floor run are made once
# with the simulator's call log; the two logs must be the same, byte for
# byte, or the benchmark stops.
#
# Prints the tables and writes them, with the data and the plot
# (tree-size.svg, gnuplot), to build/bench/report/. Nothing here asserts a
# timing: the benchmarks report.
#
# Environment (for a shorter run while working on it):
#   BENCH_SIZES="10 1000 10000 100000"   tree sizes of the local works
#   BENCH_SYSTEMS="1 10 50"              systems of the global works
#   BENCH_GLOBAL_NODES=1000              the tree of each system in a global work
#   BENCH_DELAYS="0 5"                   the simulator's per-call delays in ms
#   BENCH_MIN_TIME=0.2                   seconds per in-process benchmark
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS=${JOBS:-2}
BUILD=${BENCH_BUILD:-build/bench}
SIZES=${BENCH_SIZES:-"10 1000 10000 100000"}
SYSTEM_COUNTS=${BENCH_SYSTEMS:-"1 10 50"}
GLOBAL_NODES=${BENCH_GLOBAL_NODES:-1000}
DELAYS=${BENCH_DELAYS:-"0 5"}
MIN_TIME=${BENCH_MIN_TIME:-0.2}

echo "== Build ($BUILD, Release)"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELDAR_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j "$JOBS" --target keldar rfccm keldar_bench_work keldar_bench_floor \
  keldar_bench_peak keldar_benchmarks

BIN=$(cd "$BUILD/bin" && pwd)
REPORT=$(mkdir -p "$BUILD/report" && cd "$BUILD/report" && pwd)
WORK=$(mkdir -p "$BUILD/work" && cd "$BUILD/work" && pwd)
rm -rf "${WORK:?}"/* "${REPORT:?}"/*
# The simulator reads rfcsim.json in the working directory of each run.
unset RFCSIM_LANDSCAPE

machine() {
  local cpu
  cpu=$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')
  echo "Machine: $cpu, $(nproc) cores, $(free -g | awk '/^Mem:/ {print $2}') GiB"
  echo "System: $(. /etc/os-release && echo "$PRETTY_NAME"), kernel $(uname -r)"
  echo "Compiler: $(c++ --version | head -1); $(hyperfine --version)"
  echo "Load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
}

echo
echo "== In process (Google Benchmark; items_per_second: nodes a second for the walks)"
machine | tee "$REPORT/machine.txt"
"$BIN/keldar_benchmarks" --benchmark_min_time="$MIN_TIME" | tee "$REPORT/in-process.txt"

# work DIR NODES SYSTEMS DELAY [CALL-LOG]: lays down a work.
work() {
  mkdir -p "$1"
  local log=()
  [[ -n ${5:-} ]] && log=(--call-log "$5")
  "$BIN/keldar_bench_work" "$1" --nodes "$2" --systems "$3" --delay-ms "$4" "${log[@]}"
}

# check DIR SENSOR-ARGS FLOOR-ARGS: one run of each with the call log; the
# logs must be the same. Prints the number of round trips (opens and
# function-module calls) of the log.
check() {
  local dir=$1 sensor=$2 floor=$3
  (cd "$dir" && rm -f calls.log && eval "\"$BIN/keldar\" $sensor" >/dev/null && mv calls.log sensor.log &&
    eval "\"$BIN/keldar_bench_floor\" $floor" >/dev/null && mv calls.log floor.log)
  if ! cmp -s "$dir/sensor.log" "$dir/floor.log"; then
    echo "the floor client's calls differ from the sensor's in $dir:" >&2
    diff "$dir/sensor.log" "$dir/floor.log" | head -20 >&2
    exit 1
  fi
  grep -cvE '^[0-9]+ (RfcInstallStructure|RfcClose|LiveTable) ' "$dir/sensor.log"
}

# timed DIR DELAY LABEL SENSOR-ARGS FLOOR-ARGS: sensor and floor in one
# hyperfine invocation; appends "LABEL sensor-median floor-median
# sensor-cpu floor-cpu" (ms; CPU: user and system time, mean) to $ROWS.
# Runs without delay take a few milliseconds: many of them, so that the
# medians hold on a machine that does other work too; with a delay the
# round trips make every run alike, and a few do.
timed() {
  local dir=$1 delay=$2 label=$3 sensor=$4 floor=$5
  local runs=(--warmup 2 --min-runs 5 --max-runs 60)
  [[ $delay == 0 ]] || runs=(--warmup 0 --min-runs 2 --max-runs 6)
  (cd "$dir" && hyperfine -N --style none "${runs[@]}" \
    --export-csv times.csv -n sensor "$BIN/keldar $sensor" -n floor "$BIN/keldar_bench_floor $floor" \
    >/dev/null 2>>"$REPORT/hyperfine.log")
  awk -F, -v label="$label" 'NR > 1 { median[$1] = $4 * 1000; cpu[$1] = ($5 + $6) * 1000 }
    END { printf "%s %.2f %.2f %.2f %.2f\n", label, median["sensor"], median["floor"], cpu["sensor"], cpu["floor"] }' \
    "$dir/times.csv" >>"$ROWS"
}

# peak DIR SENSOR-ARGS FLOOR-ARGS: "sensor-KiB floor-KiB".
peak() {
  local dir=$1 sensor=$2 floor=$3
  (cd "$dir" && echo "$(eval "\"$BIN/keldar_bench_peak\" 3 \"$BIN/keldar\" $sensor")" \
    "$(eval "\"$BIN/keldar_bench_peak\" 3 \"$BIN/keldar_bench_floor\" $floor")")
}

# The works: name, sensor arguments, floor arguments; {GROUP}, {VALUE} and
# {NODE} stand for the targets of the work's tree (work.env).
local_works() {
  echo "listing|B00 LISTING|listing"
  echo "group|B00 GROUP|group {GROUP}"
  echo "grades|B00 STATE|grades"
  echo "value|B00 VALUE|value {VALUE}"
}

ROWS=$REPORT/rows.txt
: >"$ROWS"
: >"$REPORT/checks.txt"

# measure DELAY KIND SIZE SYSTEMS NAME SENSOR FLOOR
measure() {
  local delay=$1 kind=$2 size=$3 systems=$4 name=$5 sensor=$6 floor=$7
  local dir=$WORK/$kind-$size-$systems-$delay
  [[ -d $dir ]] || work "$dir" "$size" "$systems" "$delay"
  # shellcheck disable=SC1091
  source "$dir/work.env"
  floor=${floor//\{GROUP\}/$GROUP_MTUID}
  floor=${floor//\{VALUE\}/$VALUE_MTUID}
  floor=${floor//\{NODE\}/$GLOBAL_NODE}
  local trips="-" memory="- -"
  if [[ $delay == 0 ]]; then
    local check_dir=$dir/check
    work "$check_dir" "$size" "$systems" 0 calls.log
    trips=$(check "$check_dir" "$sensor" "$floor")
    memory=$(peak "$dir" "$sensor" "$floor")
    echo "$name $size $systems $trips" >>"$REPORT/checks.txt"
  fi
  timed "$dir" "$delay" "$delay $name $size $systems $trips $memory" "$sensor" "$floor"
  printf '  %-8s %7s nodes %3s systems, delay %s ms: done\n' "$name" "$size" "$systems" "$delay"
}

echo
echo "== Whole process (hyperfine; each work's call logs of sensor and floor compared first)"
for delay in $DELAYS; do
  for size in $SIZES; do
    while IFS='|' read -r name sensor floor; do
      measure "$delay" local "$size" 1 "$name" "$sensor" "$floor"
    done < <(local_works)
  done
  for systems in $SYSTEM_COUNTS; do
    measure "$delay" global "$GLOBAL_NODES" "$systems" global "GLOBAL GBLVALUE" \
      "global '{NODE}' $systems"
  done
done

# The tables, from the rows: "delay name nodes systems trips sensor-KiB
# floor-KiB sensor-ms floor-ms sensor-cpu-ms floor-cpu-ms".
tables() {
  for delay in $DELAYS; do
    echo
    echo "Simulator delay $delay ms per call. Times: median wall clock of the runs;"
    echo "CPU: user and system time; ratios: sensor / floor."
    echo
    if [[ $delay == 0 ]]; then
      echo "| Work | Nodes | Systems | Round trips | Sensor ms | Floor ms | Ratio | Sensor − floor ms | CPU ratio | Sensor KiB | Floor KiB | Memory ratio |"
      echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
    else
      echo "| Work | Nodes | Systems | Sensor ms | Floor ms | Ratio | Sensor − floor ms | CPU ratio |"
      echo "|---|---:|---:|---:|---:|---:|---:|---:|"
    fi
    awk -v delay="$delay" 'function ratio(a, b) { return b > 0 ? a / b : 0 }
    $1 == delay {
      if (delay == 0) {
        printf "| %s | %d | %d | %s | %.2f | %.2f | %.2f | %.2f | %.2f | %d | %d | %.2f |\n",
          $2, $3, $4, $5, $8, $9, ratio($8, $9), $8 - $9, ratio($10, $11), $6, $7, ratio($6, $7)
      } else {
        printf "| %s | %d | %d | %.2f | %.2f | %.2f | %.2f | %.2f |\n",
          $2, $3, $4, $8, $9, ratio($8, $9), $8 - $9, ratio($10, $11)
      }
    }' "$ROWS"
  done
}
tables | tee "$REPORT/whole-process.md"

# The plot: run time against tree size, sensor and floor, per local work.
for name in listing group grades value; do
  awk -v name="$name" '$1 == 0 && $2 == name { print $3, $8, $9 }' "$ROWS" >"$REPORT/tree-size-$name.dat"
done
gnuplot -e "dir='$REPORT'" bench/tree_size.gp >"$REPORT/tree-size.svg"
echo
echo "Report: $REPORT (whole-process.md, in-process.txt, tree-size.svg)"
