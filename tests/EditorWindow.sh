#!/usr/bin/env bash
# The editor in a real window under Xvfb: xdotool drags the "Level Editor" window by its title
# bar, then clicks the sky. The window moves and nothing in the world is picked or moved; the
# sky click picks nothing. Skips (77) without xvfb-run or xdotool, or without a GL context.
#   EditorWindow.sh <bellrun binary> <source dir>
set -u
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || { echo "no xvfb-run/xdotool"; exit 77; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"
cat >"$work/run.sh" <<'INNER'
set -u
bin="$1"; data="$2"; work="$3"
HOME="$work/home" SDL_AUDIODRIVER=dummy "$bin" --data "$data" --windowed --size 1280x720 \
  --level Level1.json --editor --frames 600 --screenshot "$work/shot.png" >"$work/out.txt" 2>&1 &
game=$!
wid=""
for _ in $(seq 100); do
  wid="$(xdotool search --name '^Bellrun$' 2>/dev/null | head -1)"
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { kill "$game"; echo "no window"; exit 1; }
sleep 2
# The title bar of the window at (10, 10), dragged 400 right and 300 down in small steps.
xdotool mousemove --window "$wid" 60 18
sleep 0.3
xdotool mousedown 1
for i in $(seq 1 20); do
  xdotool mousemove --window "$wid" $((60 + 20 * i)) $((18 + 15 * i))
  sleep 0.05
done
sleep 0.3
xdotool mouseup 1
sleep 0.5
# Sky: high above the street, right of every window.
xdotool mousemove --window "$wid" 1000 40
sleep 0.3
xdotool click 1
wait "$game"
INNER
xvfb-run -a -s "-screen 0 1280x720x24" bash "$work/run.sh" "$1" "$2/data" "$work" || { cat "$work/out.txt"; exit 1; }
if grep -q "cannot create an OpenGL" "$work/out.txt"; then echo "no GL context"; exit 77; fi
out="$work/out.txt"
moved="$(grep -o 'editor: window "Level Editor" moved to ([0-9-]*, [0-9-]*)' "$out" | tail -1)"
[ -n "$moved" ] || { echo "the editor window did not move:"; grep editor: "$out"; exit 1; }
x="$(echo "$moved" | sed 's/.*(\([0-9-]*\), .*/\1/')"
y="$(echo "$moved" | sed 's/.*, \([0-9-]*\))/\1/')"
[ "$x" -ge 380 ] && [ "$x" -le 440 ] && [ "$y" -ge 280 ] && [ "$y" -le 340 ] ||
  { echo "the window ended at ($x, $y), not near (410, 310)"; exit 1; }
if grep -q "editor: picked\|editor: moved" "$out"; then
  echo "the drag reached the world:"; grep editor: "$out"; exit 1
fi
# Exactly one click reached the world: the sky's (a press on the title bar would make two).
[ "$(grep -c "editor: nothing to pick" "$out")" = 1 ] || { echo "not one world click:"; grep editor: "$out"; exit 1; }
[ -s "$work/shot.png" ] || { echo "no screenshot"; exit 1; }
echo "editor window dragged to ($x, $y) in a real window; nothing in the world picked or moved"
