#!/usr/bin/env bash
# Every shipped level through the editor's save: the editor opens over the level, Ctrl+S saves it
# on the level's first frame (before anything has moved), and the saved level and map load to
# the same dump as the shipped files after 120 frames. Object ids are left out of the
# comparison: they count creations, and a saved level lists its screen objects first.
#   EditorRoundTrip.sh <bellrun binary> <source dir>
set -u
bin="$1"
data="$(cd "$2" && pwd)/data"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
copy="$work/data"
mkdir -p "$work/pref"
# The saves write levels and maps into the copy.
cp -rL "$data" "$copy"
# The level is loaded at the end of frame 1; frame 2 is its first.
cat >"$work/save.json" <<'JSON'
[{"frame": 2, "type": "keydown", "key": "Left Ctrl"}, {"frame": 2, "type": "keydown", "key": "S"}]
JSON
dump() { "$bin" --headless --data "$1" --pref "$work/pref" --level "$2" --frames 120 --dump "$3" >"$3.log" 2>&1; }
status=0
count=0
for level in $(grep -o '"[^"]*\.json"' "$data/System/LevelList.json" | tr -d '"'); do
  "$bin" --headless --data "$copy" --pref "$work/pref" --level "$level" --editor \
    --input "$work/save.json" --frames 2 >"$work/save.log" 2>&1
  if ! grep -q "Save Level and Map" "$work/save.log" || grep -q "refused\|not saved" "$work/save.log"; then
    echo "$level: not saved"; cat "$work/save.log" | tail -5; status=1; continue
  fi
  dump "$data" "$level" "$work/shipped.json" && dump "$copy" "$level" "$work/saved.json" ||
    { echo "$level: a dump run failed"; status=1; continue; }
  if ! diff <(grep -v '"Id":' "$work/shipped.json") <(grep -v '"Id":' "$work/saved.json") >"$work/diff.txt"; then
    echo "$level: the saved level loads to another dump:"; head -20 "$work/diff.txt"; status=1
  fi
  count=$((count + 1))
done
[ "$count" -gt 0 ] || { echo "no levels"; exit 1; }
[ "$status" = 0 ] && echo "$count levels saved by the editor load to the shipped levels' dumps"
exit "$status"
