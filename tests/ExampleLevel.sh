#!/usr/bin/env bash
# The worked example of docs/LEVELS.md stays true: its level, map and dialog, laid into a copy of
# the shipped data and put first in the level list, pass the content checker, and its scripted
# run finishes the level (Level1 loads next) without a warning.
#   ExampleLevel.sh <bellrun binary> <source dir>
set -u
game="$1"
src="$2"
check="$(dirname "$game")/check_content"
# A cross build starts its programs through a wrapper (run-<program>.sh, under Wine).
[ -x "$check" ] || check="$(dirname "$game")/run-check_content.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -rL "$src/data" "$work/data"
cp -r "$src/docs/example/GameData/." "$work/data/GameData/"
sed -i 's/^\["MainMenu.json", /["MainMenu.json", "Example.json", /' "$work/data/System/LevelList.json"
grep -q '"Example.json"' "$work/data/System/LevelList.json" || { echo "the level list was not extended"; exit 1; }
"$check" "$work/data" >"$work/check.txt" || { echo "the example fails the content checker:"; cat "$work/check.txt"; exit 1; }
SDL_AUDIODRIVER=dummy "$game" --headless --data "$work/data" --level Example.json --frames 760 \
  --input "$src/docs/example/ExampleRun.json" --dump "$work/dump.json" >"$work/out.txt" 2>&1 ||
  { echo "the game failed:"; tail -20 "$work/out.txt"; exit 1; }
grep -q '"Level": "Level1.json"' "$work/dump.json" || { echo "the example run did not reach Level1"; exit 1; }
grep -q '"Warnings": 0' "$work/dump.json" || { echo "the example run printed warnings:"; grep ': "' "$work/out.txt"; exit 1; }
echo "the example level passes the checker and its run finishes it"
