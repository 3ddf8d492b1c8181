#!/usr/bin/env bash
# The maps, levels, dialog pages, recordings and level list in data/ are what the generator
# makes from tools/levels today: a layout changed without regenerating (or a generator change
# that would move a level) fails here, naming the file.
#   LayoutsUpToDate.sh <generate_content binary> <source dir>
set -u
gen="$1"
src="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/GameData/Maps" "$work/GameData/Levels" "$work/GameData/Dialog" \
  "$work/GameData/Record" "$work/System"
"$gen" --layouts "$work" "$src"/tools/levels/*.txt || { echo "the generator failed"; exit 1; }
status=0
count=0
while IFS= read -r made; do
  rel="${made#"$work"/}"
  count=$((count + 1))
  cmp -s "$made" "$src/data/$rel" || { echo "data/$rel differs from what the generator makes"; status=1; }
done < <(find "$work" -type f | sort)
[ "$count" -gt 0 ] || { echo "the generator wrote nothing"; exit 1; }
[ $status -eq 0 ] && echo "$count generated files match data/"
exit $status
