#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) and runs each on the shipped files.
#
#   tools/fuzz.sh [seconds] [Target...]
#
# seconds (default 60) is the whole run, shared evenly by the targets (all of them by default).
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

all=(Archetype Level Map Save Menu Dialog Record Coord ShaderList LevelList Preload Palette
     Settings ControllerMap Script Image)
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

per=$((seconds / ${#targets[@]}))
[ "$per" -lt 1 ] && per=1
mkdir -p "$build/findings"
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
passed=0
failed=0
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  seeds="$build/seeds/$t"
  rm -rf "$seeds"
  mkdir -p "$corpus" "$seeds"
  for pattern in $(seeds_of "$t"); do
    for f in $root/$pattern; do
      # Images over 64 KB only slow the fuzzer down; the small sheets cover the same decoder.
      [ -f "$f" ] && [ "$(stat -c %s "$f")" -le 65536 ] && ln -sf "$f" "$seeds/"
    done
  done
  regressions=()
  [ -d "$root/tests/fuzz/$t" ] && regressions=("$root/tests/fuzz/$t")
  log="$build/$t.log"
  status=0
  (cd "$build/findings" && nice -n 10 "$build/fuzz/${t}Fuzz" -max_total_time="$per" -max_len=65536 \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$t-" \
    "$corpus" "$seeds" "${regressions[@]}" >"$log" 2>&1) || status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  if [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
    echo "fuzz: $t: ${runs:-0} executions in ${per} s, 0 findings"
  else
    failed=$((failed + 1))
    echo "fuzz: $t: FINDING after ${runs:-?} executions (log $log):"
    grep -E 'ERROR:|runtime error|SUMMARY|Test unit written' "$log" | head -5
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
