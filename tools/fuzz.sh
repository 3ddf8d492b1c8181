#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) and runs each on the shipped files.
#
#   tools/fuzz.sh [seconds] [Target...]
#
# seconds (default 60) is the whole run's time. Targets run side by side, one per core
# (BELLRUN_FUZZ_JOBS overrides); each stops at 1,000,000 executions (BELLRUN_FUZZ_RUNS) or at its
# share of the time left when it starts, so time a quick target does not need goes to the slow
# ones, which run last.
# The build goes to build-fuzz/ (BELLRUN_FUZZ_BUILD overrides; BELLRUN_FUZZ_PREBUILT=1 uses the
# targets already built there, as the FuzzShort test of a fuzz build does); each target's corpus grows in
# <build>/corpus/<Target>/, seeded from the shipped data (linked, not copied) and from the
# regression inputs in tests/fuzz/<Target>/. A finding is written to <build>/findings/ and fails
# the run; its input belongs in tests/fuzz/<Target>/ once fixed. One line per target reports its
# executions; the last line is "N passed, N failed".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build=${BELLRUN_FUZZ_BUILD:-$root/build-fuzz}

# Quickest first (executions a second), so the leftover time flows to the slow ones at the end.
all=(Settings Coord ControllerMap Record Preload Palette Script Menu Archetype Dialog ShaderList
     Map Image Level Save LevelList)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")

# Seeds of each target: shipped files (globs under the root), or fuzz/seeds/ where the game
# ships none (settings, controller mappings).
seeds_of() {
  case "$1" in
    Archetype) echo "data/GameData/GameObjects/*.json" ;;
    Menu) echo "data/GameData/GameObjects/*Menu.json data/GameData/GameObjects/TitleScreen.json" ;;
    Level | Save) echo "data/GameData/Levels/*.json" ;;
    Map) echo "data/GameData/Maps/*.json" ;;
    Dialog) echo "data/GameData/Dialog/*.txt" ;;
    Record) echo "data/GameData/Record/*.json" ;;
    Coord) echo "data/Textures/*.txt" ;;
    ShaderList) echo "data/Shaders/ShaderList.txt" ;;
    LevelList) echo "data/System/LevelList.json" ;;
    Preload) echo "data/System/PreLoad.json" ;;
    Palette) echo "data/System/LevelEditor.json" ;;
    Settings) echo "fuzz/seeds/settings.json" ;;
    ControllerMap) echo "fuzz/seeds/gamecontrollerdb.txt" ;;
    Script) echo "tests/runs/*.json" ;;
    Image) echo "data/Textures/*.png" ;;
  esac
}

if [ -n "${BELLRUN_FUZZ_PREBUILT:-}" ]; then
  echo "fuzz: using the targets already built in $build"
else
  echo "fuzz: building in $build"
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBELLRUN_FUZZ=ON -DBELLRUN_TESTS=OFF -DBELLRUN_BENCH=OFF >"$build.configure.log" 2>&1 ||
    { cat "$build.configure.log"; exit 1; }
  nice -n 10 cmake --build "$build" -j2 --target fuzz_all >"$build/build.log" 2>&1 ||
    { tail -50 "$build/build.log"; exit 1; }
fi

jobs=${BELLRUN_FUZZ_JOBS:-$(nproc)}
runs=${BELLRUN_FUZZ_RUNS:-1000000}
deadline=$(($(date +%s) + seconds))
mkdir -p "$build/findings"
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

# Runs target $1 for at most $2 seconds; prints its line and leaves its status in <build>/<t>.status.
fuzz_one() {
  local t=$1 cap=$2 corpus="$build/corpus/$1" seeds="$build/seeds/$1" log="$build/$1.log"
  rm -rf "$seeds"
  mkdir -p "$corpus" "$seeds"
  for pattern in $(seeds_of "$t"); do
    for f in $root/$pattern; do
      # Images over 64 KB only slow the fuzzer down; the small sheets cover the same decoder.
      [ -f "$f" ] && [ "$(stat -c %s "$f")" -le 65536 ] && ln -sf "$f" "$seeds/"
    done
  done
  local regressions=()
  [ -d "$root/tests/fuzz/$t" ] && regressions=("$root/tests/fuzz/$t")
  local status=0 began=$SECONDS
  (cd "$build/findings" && nice -n 10 "$build/fuzz/${t}Fuzz" -max_total_time="$cap" -runs="$runs" \
    -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$t-" "$corpus" "$seeds" "${regressions[@]}" >"$log" 2>&1) ||
    status=$?
  local done_runs
  done_runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  echo "$status" >"$build/$t.status"
  if [ "$status" -eq 0 ]; then
    echo "fuzz: $t: ${done_runs:-0} executions in $((SECONDS - began)) s, 0 findings"
  else
    echo "fuzz: $t: FINDING after ${done_runs:-?} executions (log $log):"
    grep -E 'ERROR:|runtime error|SUMMARY|Test unit written' "$log" | head -5
  fi
}

left=${#targets[@]}
running=0
for t in "${targets[@]}"; do
  rm -f "$build/$t.status"
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  # A fair share of the core-seconds left among this target, the ones after it and the running ones.
  remaining=$((deadline - $(date +%s)))
  cap=$((remaining * jobs / (left + running)))
  [ "$cap" -gt "$remaining" ] && cap=$remaining
  [ "$cap" -lt 1 ] && cap=1
  fuzz_one "$t" "$cap" &
  running=$((running + 1))
  left=$((left - 1))
done
wait

passed=0
failed=0
for t in "${targets[@]}"; do
  if [ "$(cat "$build/$t.status" 2>/dev/null || echo 1)" -eq 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
