#!/usr/bin/env bash
# The engine knows nothing of the game: no file under engine/ includes a header from game/ or
# editor/. The game hands the engine what it needs through engine/core/GameHooks.h.
#   EngineLayering.sh <bellrun binary> <source dir>
set -u
found=$(grep -rnE '#[[:space:]]*include[[:space:]]*[<"](game|editor)/' "$2/engine" || true)
if [ -n "$found" ]; then
  echo "engine/ includes game/ or editor/ headers:"
  echo "$found"
  exit 1
fi
echo "engine/ includes nothing from game/ or editor/"
