#!/usr/bin/env bash
# Pictures of every shipped level before and after a change, side by side.
#
#   tools/before-after.sh BEFORE_BINARY AFTER_BINARY OUT_DIR [BEFORE_DATA]
#
# Each binary plays the same shots (level, frames, scripted input) in a 1920x1080 window under a
# virtual X server with a fixed clock, so both runs are the headless one; OUT_DIR/<shot>.jpg holds
# the before picture on the left and the after one on the right, at half size. BEFORE_DATA is the
# data root of the before build (default: this tree's data). Needs xvfb-run and ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
before=$1
after=$2
out=$3
before_data=${4:-$root/data}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name level frames [input]
shots=(
  "MainMenu MainMenu.json 120"
  "MainMenu-f900 MainMenu.json 900"
  "Level1 Level1.json 120"
  "Level2-run600 Level2.json 600 tests/runs/Level2.json"
  "Level3-run900 Level3.json 900 tests/runs/Level3.json"
  "Level4 Level4.json 120"
  "Level4-run1500 Level4.json 1500 tests/runs/Level4.json"
  "MovingTurLevel MovingTurLevel.json 120"
  "Level5 Level5.json 120"
  "Level5-run2000 Level5.json 2000 tests/runs/Level5.json"
  "GuardCutscene GuardCutscene.json 120"
  "RobotCutscene RobotCutscene.json 120"
  "RobotLevel-run600 RobotLevel.json 600 tests/runs/RobotLevel.json"
  "Level6 Level6.json 120"
  "Level6-run1600 Level6.json 1600 tests/runs/Level6.json"
  "Level7 Level7.json 120"
  "Level7-run2200 Level7.json 2200 tests/runs/Level7.json"
  "Level8 Level8.json 120"
  "Level8-run2100 Level8.json 2100 tests/runs/Level8.json"
  "EndLevel EndLevel.json 120"
  "Credits Credits.json 120"
  "AutoLevel AutoLevel.json 120"
)

shoot() { # binary data level frames input png
  local input=()
  [ -n "$5" ] && input=(--input "$root/$5")
  SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1920x1080x24" "$1" --data "$2" --fixed-clock \
    --windowed --size 1920x1080 --level "$3" --frames "$4" "${input[@]}" --screenshot "$6" \
    >"$6.log" 2>&1
}

for shot in "${shots[@]}"; do
  read -r name level frames input <<<"$shot"
  shoot "$before" "$before_data" "$level" "$frames" "${input:-}" "$work/$name-before.png"
  shoot "$after" "$root/data" "$level" "$frames" "${input:-}" "$work/$name-after.png"
  convert "$work/$name-before.png" "$work/$name-after.png" +append -resize 50% -quality 85 \
    "$out/$name.jpg"
  echo "before-after: $out/$name.jpg"
done
