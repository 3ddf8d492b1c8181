#!/usr/bin/env bash
# The content checker fails on a damaged copy of the data root, naming the file and the key of
# each problem, and passes on the untouched copy.
#   DamagedCopy.sh <check_content binary> <data dir>
set -u
check="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -rL "$2" "$work/data"
"$check" "$work/data" >"$work/clean.txt" || { echo "the untouched copy fails:"; cat "$work/clean.txt"; exit 1; }

levels="$work/data/GameData/Levels"
objects="$work/data/GameData/GameObjects"
# Each damage and the line it must produce.
sed -i 's/"Name": "Level1.json"/"Name": "Other.json"/' "$levels/Level1.json"
sed -i 's/"Type": "PLAYER"/"Type": "PLAYR"/' "$objects/Player.json"
printf '{"Name": ' >"$objects/Background.json"
rm "$work/data/Textures/PlayerWalk.txt"
sed -i 's/"ClickFunction": "Resume"/"ClickFunction": "Resum"/' "$objects/PauseMenu.json"
sed -i '0,/"Active": "true"/s//"Active": "True"/' "$objects/OptionsMenu.json"
sed -i 's/"ConfirmSaveMenu.json"/"ConfirmSaveMenuX.json"/' "$levels/Level1.json"
printf '[[0,0,0,0,0,0]]' >"$work/data/GameData/Record/GuardCutscene1.json"
printf 'A page without its scale line\n' >"$work/data/GameData/Dialog/Ending.txt"
sed -i 's/"Type": "GUARD"/"Type": "BOX"/' "$objects/Guard.json"
sed -i '0,/"SearchTime": 1500/s//"SearchTime": -5/' "$levels/Level3.json"
sed -i 's/"Filter": "Nearest"/"Filter": "Sharp"/' "$objects/TileCrate.json"
expected=(
  'GameData/GameObjects/Guard.json: "Type": "BOX" cannot carry "Guard"'
  'GameData/Levels/Level3.json: "SearchTime": must be a whole number of milliseconds, 0 or more'
  'GameData/Levels/Level1.json: "Name": must equal the file name'
  'GameData/GameObjects/Player.json: "Type": missing or unknown'
  'GameData/GameObjects/Background.json: parse error'
  'GameData/GameObjects/Player.json: "CoordData": file missing'
  'GameData/GameObjects/PauseMenu.json: "Buttons[1].ClickFunction": not a click function name'
  'GameData/GameObjects/OptionsMenu.json: "Buttons[1].Active": must be the string "true" or "false"'
  'GameData/Levels/Level1.json: "GameObjects": PauseMenu.json opens ConfirmSaveMenu.json, which the level lacks'
  'GameData/Record/GuardCutscene1.json: needs at least two entries'
  'GameData/Dialog/Ending.txt: needs pairs of lines: text, scale'
  'GameData/GameObjects/TileCrate.json: "Filter": must be "Nearest" or "Linear"'
)
if "$check" "$work/data" >"$work/damaged.txt"; then
  echo "the damaged copy passed"
  exit 1
fi
status=0
for line in "${expected[@]}"; do
  grep -qF "$line" "$work/damaged.txt" || { echo "missing: $line"; status=1; }
done
[ $status -eq 0 ] || cat "$work/damaged.txt"
exit $status
