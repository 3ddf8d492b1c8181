#!/usr/bin/env bash
# Proves the Windows build under Wine (Debian's wine64), each step a check that fails the run:
#   1. its own test suite passes (tests needing a Linux-only facility skip and say why);
#   2. every level played headless gives the same --dump as the Linux build: the scripted run
#      where tests/runs has one, 600 frames of no input otherwise;
#   3. in a real window (Xvfb; Wine's OpenGL goes to Mesa) its screenshots of the title and
#      Level1 match the stored pictures within the picture tests' tolerance, and the level
#      editor opens;
#   4. saves and settings land in %APPDATA%\Corvane\Bellrun\ of a Windows user whose name has a
#      space and an accented letter;
#   5. the zip holds every DLL the programs import (the rest are Windows' own) and, unpacked into
#      a folder with a space and non-ASCII letters in its path, plays Level2's scripted run.
#
#   tools/windows/check.sh [LINUX_BUILD] [WINDOWS_BUILD]   (defaults: build, build-windows)
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
linux=$(cd "${1:-$root/build}" && pwd)
win=$(cd "${2:-$root/build-windows}" && pwd)
host=x86_64-w64-mingw32
wine=$(command -v wine)
work=$(mktemp -d)
failures=0

say() { echo "windows-check: $*"; }
fail() {
  echo "windows-check: FAILED: $*"
  failures=$((failures + 1))
}

# Wine prefixes of our own: one for the test suite (a plain user name: the tests put their own
# paths on command lines) and one for a player named as a Windows user may well be.
# Wine names files in the locale's character set: UTF-8, whatever the machine was set to.
export LC_ALL=C.UTF-8
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" SDL_AUDIODRIVER=dummy
use_prefix() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  export WINEPREFIX=$work/$1 USER=$2
  if [ ! -d "$WINEPREFIX" ]; then
    # Without a display: the first window of a later run starts Wine's desktop with its own.
    DISPLAY= "$wine" wineboot -i >/dev/null 2>&1
  fi
}
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
step() { say "== $*"; }

# --- 1 --------------------------------------------------------------------------------------
step "1. the Windows test suite under Wine"
use_prefix tests player
# One server for the whole suite: each test's process then starts in a fraction of a second.
# A test whose process Wine fails to start gets a second try.
wineserver -p 2>/dev/null || true
"$wine" cmd /c exit >/dev/null 2>&1 || true
start=$SECONDS
if ! ctest --test-dir "$win" --output-on-failure -j2 --repeat until-pass:2 >"$work/ctest.log" 2>&1
then
  grep -A40 "FAILED\|Failed\|Timeout" "$work/ctest.log" >"$work/failed.log" || true
  head -n 200 "$work/failed.log"
  fail "the Windows test suite"
fi
grep -E "tests passed|Total Test time" "$work/ctest.log" || true
say "suite: $((SECONDS - start)) s; skipped, with their reasons:"
# The skipped tests once more in one process, for the reason each gives.
skipped=$(sed -nE 's/^\s+[0-9]+ - ([A-Za-z0-9_/]+\.[A-Za-z0-9_/.]+).*\(Skipped\)$/\1/p' "$work/ctest.log" |
  tr '\n' ':')
if [ -n "$skipped" ]; then
  (cd "$win" && "$wine" ./bellrun_tests.exe --gtest_filter="$skipped" >"$work/skipped.log" 2>&1) ||
    true
  tr -d '\r' <"$work/skipped.log" |
    awk '/Skipped$/ { getline why; reason = why } /^\[  SKIPPED \] .*ms\)/ { print "    " $4 ": " reason }'
fi
grep -E "^\s+[0-9]+ - [A-Za-z]+ \(Skipped\)" "$work/ctest.log" | sed 's/^/    /' || true

use_prefix player "Zoë Ann"
appdata="$WINEPREFIX/drive_c/users/$USER/AppData/Roaming"
[ -d "$appdata" ] || fail "the Wine prefix has no AppData for '$USER'"

# --- 2 --------------------------------------------------------------------------------------
step "2. the same dumps as the Linux build"
levels=$(grep -o '"[^"]*\.json"' "$root/data/System/LevelList.json" | tr -d '"')
compared=0
for level in $levels; do
  run="$root/tests/runs/$level"
  args=(--headless --level "$level")
  if [ -f "$run" ]; then
    frames=$(($("$linux/dump_compare" --frames "$run") + 240))
    args+=(--input "$run")
  else
    frames=600
  fi
  args+=(--frames "$frames")
  # Settings and saves can change a run: each build starts from an empty preference folder.
  rm -rf "$work/pref-linux" "$work/pref-windows"
  "$linux/bellrun" "${args[@]}" --pref "$work/pref-linux" --dump "$work/linux-$level" \
    >"$work/linux.log" 2>&1 ||
    fail "$level: the Linux build exited $?"
  "$wine" "$win/bellrun.exe" "${args[@]}" --pref "$work/pref-windows" \
    --dump "$work/windows-$level" >"$work/windows.log" 2>&1 ||
    fail "$level: the Windows build exited $?"
  if "$linux/dump_compare" "$work/linux-$level" "$work/windows-$level" >"$work/compare.log"; then
    say "$level ($frames frames$([ -f "$run" ] && echo ", scripted")): identical"
  else
    cat "$work/compare.log"
    fail "$level: the dumps differ"
  fi
  compared=$((compared + 1))
done
# The whole game in one run, from the title (no --level), where there is one.
whole="$root/tests/runs/WholeGame.json"
if [ -f "$whole" ]; then
  frames=$(($("$linux/dump_compare" --frames "$whole") + 240))
  # It saves and loads: each build starts from an empty preference folder of its own.
  rm -rf "$work/pref-linux" "$work/pref-windows"
  "$linux/bellrun" --headless --frames "$frames" --input "$whole" --pref "$work/pref-linux" \
    --dump "$work/linux-whole" >/dev/null 2>&1 || fail "the whole game: the Linux build exited $?"
  "$wine" "$win/bellrun.exe" --headless --frames "$frames" --input "$whole" \
    --pref "$work/pref-windows" --dump "$work/windows-whole" >/dev/null 2>&1 ||
    fail "the whole game: the Windows build exited $?"
  if "$linux/dump_compare" "$work/linux-whole" "$work/windows-whole" >"$work/compare.log"; then
    say "the whole game ($frames frames, scripted from the title): identical"
  else
    cat "$work/compare.log"
    fail "the whole game: the dumps differ"
  fi
fi
say "$compared levels compared"

# --- 3 --------------------------------------------------------------------------------------
step "3. a real window: the title and Level1 against the stored pictures, the editor"
# A fresh server: Wine's desktop, once started without a display, never gets one.
use_prefix player "Zoë Ann"
filter='Shipped/PictureLevels.LooksAsItDidBeforeWithinATolerance/MainMenu'
filter+=':Shipped/PictureLevels.LooksAsItDidBeforeWithinATolerance/Level1'
if ! BELLRUN_GAME_COMMAND="$wine \"$win/bellrun.exe\"" "$linux/bellrun_tests" \
  --gtest_filter="$filter" >"$work/pictures.log" 2>&1; then
  tail -n 30 "$work/pictures.log"
  fail "the Windows build's pictures"
fi
grep -E "mean difference|SKIPPED|PASSED|FAILED" "$work/pictures.log" || true
if grep -q "SKIPPED" "$work/pictures.log"; then fail "the picture check skipped (no GL context)"; fi
for mode in plain editor; do
  extra=()
  [ "$mode" = editor ] && extra=(--editor)
  xvfb-run -a -s "-screen 0 1280x720x24" "$wine" "$win/bellrun.exe" --windowed --fixed-clock \
    --size 1280x720 --level Level1.json --frames 30 "${extra[@]}" \
    --screenshot "$work/$mode.png" >"$work/$mode.log" 2>&1 || fail "Level1 ($mode) exited $?"
done
if [ -s "$work/editor.png" ] && ! cmp -s "$work/plain.png" "$work/editor.png"; then
  say "the level editor's window opens over Level1"
else
  fail "the level editor drew nothing"
fi

# --- 4 --------------------------------------------------------------------------------------
step "4. saves and settings in %APPDATA%\\Corvane\\Bellrun"
pref="$appdata/Corvane/Bellrun"
"$wine" "$win/bellrun.exe" --headless --level Level2.json --frames 200 \
  --input "$root/tools/windows/SaveFromPause.json" >"$work/save.log" 2>&1 || fail "the save run"
for file in save.json settings.json; do
  if [ -s "$pref/$file" ]; then say "$file is in $pref"; else fail "no $file in $pref"; fi
done
ls "$pref" | grep -q '\.tmp$' && fail "a temporary file was left in $pref"

# --- 5 --------------------------------------------------------------------------------------
step "5. the player's zip"
zip=$(ls "$win"/Bellrun-*-win64.zip | head -n 1)
folder="$work/Spiele für Zoë Ann"
mkdir -p "$folder"
(cd "$folder" && cmake -E tar xf "$zip")
game=$(ls -d "$folder"/Bellrun-*-win64)
say "$(basename "$zip"): $(du -k "$zip" | cut -f1) KiB; DLLs: $(cd "$game" && ls *.dll | tr '\n' ' ')"
system_dlls=" $(echo kernel32.dll user32.dll gdi32.dll shell32.dll advapi32.dll ole32.dll \
  oleaut32.dll imm32.dll winmm.dll version.dll setupapi.dll opengl32.dll msvcrt.dll ws2_32.dll \
  cfgmgr32.dll hid.dll dinput8.dll xinput1_4.dll comdlg32.dll shlwapi.dll dwmapi.dll bcrypt.dll) "
for binary in "$game"/*.exe "$game"/*.dll; do
  for dll in $("$host-objdump" -p "$binary" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    if [ -f "$game/$dll" ] || ls "$game" | tr 'A-Z' 'a-z' | grep -qx "$dll"; then continue; fi
    case "$system_dlls" in *" $dll "*) continue ;; esac
    fail "$(basename "$binary") imports $dll, which is neither in the zip nor Windows' own"
  done
done
for need in bellrun.exe README.txt data/System/LevelList.json licenses/SDL2.txt; do
  [ -e "$game/$need" ] || fail "the zip has no $need"
done
frames=$(($("$linux/dump_compare" --frames "$root/tests/runs/Level2.json") + 240))
(cd "$work" && "$wine" "$game/bellrun.exe" --headless --level Level2.json --frames "$frames" \
  --input "$root/tests/runs/Level2.json" --pref "$work/pref-zip" --dump "$work/zip-Level2.json" \
  >"$work/zip.log" 2>&1) ||
  fail "the unpacked game exited $?"
grep -q "Level3.json" "$work/zip-Level2.json" 2>/dev/null && say "the unpacked game finished Level2" ||
  fail "the unpacked game did not finish Level2"
"$linux/dump_compare" "$work/linux-Level2.json" "$work/zip-Level2.json" >/dev/null ||
  fail "the unpacked game's Level2 differs from the Linux build's"

# --- figures --------------------------------------------------------------------------------
step "figures: headless Level1, 3000 frames"
for build in linux windows; do
  t0=$(date +%s.%N)
  if [ $build = linux ]; then
    "$linux/bellrun" --headless --level Level1.json --frames 3000 >/dev/null 2>&1
  else
    "$wine" "$win/bellrun.exe" --headless --level Level1.json --frames 3000 >/dev/null 2>&1
  fi
  t1=$(date +%s.%N)
  fps=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%d", 3000 / (b - a) }')
  say "$build: $fps frames a second (start-up included)"
done

if [ $failures -ne 0 ]; then
  say "$failures check(s) failed"
  exit 1
fi
say "all checks passed"
