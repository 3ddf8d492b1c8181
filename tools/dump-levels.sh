#!/usr/bin/env bash
# Dumps of every shipped level, for holding a change against the build before it:
#   tools/dump-levels.sh BELLRUN_BINARY OUT_DIR
# For each level of System/LevelList.json: a 600-frame headless --dump with no input
# (OUT_DIR/<Level>.600.json) and, where tests/runs/<Level>.json exists, the scripted run's dump
# (OUT_DIR/<Level>.run.json); then the whole game's run from the title (OUT_DIR/WholeGame.json).
# Compare two folders with `diff -r` (or dump_compare, which names the differing value).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$1
out=$2
mkdir -p "$out"
pref=$(mktemp -d)
trap 'rm -rf "$pref"' EXIT

# The frames a script asks for, plus time for the level it ends on to load.
frames_of() { echo $(($(grep -o '"frame": *[0-9]*' "$1" | grep -o '[0-9]*$' | sort -n | tail -1) + 240)); }

dump() {
  local name=$1
  shift
  rm -rf "$pref"/*
  "$bin" --headless --pref "$pref" --dump "$out/$name" "$@" >"$out/$name.log" 2>&1 ||
    echo "dump-levels: $name: exit $?"
}

for level in $(grep -o '"[^"]*\.json"' "$root/data/System/LevelList.json" | tr -d '"'); do
  dump "${level%.json}.600.json" --level "$level" --frames 600
  run="$root/tests/runs/$level"
  [ -f "$run" ] && dump "${level%.json}.run.json" --level "$level" --input "$run" --frames "$(frames_of "$run")"
done
whole="$root/tests/runs/WholeGame.json"
[ -f "$whole" ] && dump WholeGame.json --input "$whole" --frames "$(frames_of "$whole")"
ls "$out" | grep -c '\.json$' | sed 's/$/ dumps/'
