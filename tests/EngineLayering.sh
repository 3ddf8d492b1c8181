#!/usr/bin/env bash
# The engine knows nothing of the game or the editor. The build keeps the rooms apart (each
# library sees only its own folder and the engine's); this is the second guard, and it also
# catches what an include rule cannot: the game's names written into engine code.
#   EngineLayering.sh <bellrun binary> <source dir>
# engine/core/main.cpp is the one engine file that may name the rooms above: it is built into
# the program, where it registers the game and the editor.
set -u
src=$2
status=0
fail() {
  echo "$1"
  echo "$2" | sed 's/^/  /'
  status=1
}

# Engine code without its comments and the entry point.
code=$(find "$src/engine" -name '*.cpp' -o -name '*.h' | grep -v '/engine/core/main\.cpp$' | sort |
  while read -r f; do
    sed -e 's://.*$::' "$f" | grep -n . | sed "s|^|${f#$src/}:|"
  done)

found=$(echo "$code" | grep -E '#[[:space:]]*include[[:space:]]*[<"](game|editor)/' || true)
[ -n "$found" ] && fail "engine/ includes game/ or editor/ headers:" "$found"

# The game's numbers and names: its component, type and click-function constants, the type
# names of its data, and the classes declared under game/ (the engine has its own player slot,
# so "Player" alone is allowed there).
names=$(sed -nE 's/^ +(k[A-Z][A-Za-z]*) = .*/\1/p' "$src/game/GameNames.h" | sort -u)
types=$(sed -n '/kObjectTypes\[\]/,/^};/p' "$src/game/GameNames.h" | grep -oE '\{"[A-Za-z]+"' | tr -d '{"')
classes=$(grep -rhE '^(class|struct) [A-Z][A-Za-z]+( final)?( *:.*)?$' "$src/game" | awk '{print $2}' | sort -u |
  grep -vxE 'Player')
pattern=$( (echo "$names"; echo "$classes") | grep -v '^$' | paste -sd'|')
found=$(echo "$code" | grep -E "\\b($pattern)\\b" || true)
[ -n "$found" ] && fail "engine/ names the game's components, types or classes:" "$found"
pattern=$(echo "$types" | paste -sd'|')
found=$(echo "$code" | grep -E "\"($pattern)\"" || true)
[ -n "$found" ] && fail "engine/ names the game's object types:" "$found"

# Levels, menus, music, fonts and the game's tuning are the game's to name (GameRoles).
found=$(echo "$code" | grep -E '"[^"]*\.(ogg|wav|mp3|ttf)"|"[A-Z][A-Za-z0-9]*\.json"' || true)
[ -n "$found" ] && fail "engine/ names the game's levels, menus, sounds or fonts:" "$found"
found=$(echo "$code" | grep -E '\b(captureTimeMs|empLifetimeMs|cameraBlackoutMs|levelTransitionActive|bossVisionObjects)\b' || true)
[ -n "$found" ] && fail "engine/ holds the game's tuning:" "$found"

# The GUI library is the editor's: the engine and the game describe panels (EditorPanel).
found=$(grep -rnE '#[[:space:]]*include[[:space:]]*<imgui' "$src/engine" "$src/game" || true)
[ -n "$found" ] && fail "the GUI library outside editor/:" "$found"
found=$(grep -rnE '#[[:space:]]*include[[:space:]]*"editor/' "$src/game" || true)
[ -n "$found" ] && fail "game/ includes editor/ headers:" "$found"

[ $status -eq 0 ] && echo "engine/ names nothing of the game or the editor; game/ nothing of the editor"
exit $status
