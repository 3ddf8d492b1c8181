#!/usr/bin/env bash
# A real window under Xvfb: xdotool clicks past the splash, moves the pointer onto the title's
# "Options" button and clicks it; the run's snapshot shows the options menu and a screenshot is
# taken. Skips (77) without xvfb-run or xdotool.
#   TitleWindow.sh <bellrun binary> <source dir>
set -u
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || { echo "no xvfb-run/xdotool"; exit 77; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"
cat >"$work/run.sh" <<'INNER'
set -u
bin="$1"; data="$2"; work="$3"
HOME="$work/home" SDL_AUDIODRIVER=dummy "$bin" --data "$data" --windowed --size 1280x720 \
  --frames 900 --dump "$work/dump.json" --screenshot "$work/shot.png" >"$work/out.txt" 2>&1 &
game=$!
wid=""
for _ in $(seq 100); do
  wid="$(xdotool search --name '^Bellrun$' 2>/dev/null | head -1)"
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { kill "$game"; echo "no window"; exit 1; }
sleep 1
xdotool mousemove --window "$wid" 100 100 click 1
sleep 1
xdotool mousemove --window "$wid" 640 426
sleep 0.5
xdotool click 1
wait "$game"
INNER
xvfb-run -a -s "-screen 0 1280x720x24" bash "$work/run.sh" "$1" "$2/data" "$work" || { cat "$work/out.txt"; exit 1; }
if grep -q "cannot create an OpenGL" "$work/out.txt"; then echo "no GL context"; exit 77; fi
grep -q '"OptionsMenu.json"' "$work/dump.json" || { echo "options not shown:"; cat "$work/dump.json" | head -c 600; exit 1; }
[ -s "$work/shot.png" ] || { echo "no screenshot"; exit 1; }
echo "title button clicked in a real window; options shown"
