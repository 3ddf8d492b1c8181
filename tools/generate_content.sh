#!/usr/bin/env bash
# Regenerates Bellrun's textures, sounds, fonts, maps, the levels written as layouts and the
# level list into data/ (and the worked example into docs/example/), then checks every data
# file. Output is deterministic; rerun after changing anything under tools/gen, tools/levels,
# docs/example/Example.txt or the font choices below.
#
# The generator and the content checker are built with CMake as targets of the game's project
# (generate_content, check_content) in the build folder (BELLRUN_BUILD, default build/; it is
# configured when it is not yet), so the game's build dependencies must be installed
# (tools/install-deps.sh). Debian packages used besides (installed when missing):
#   cmake g++ libstb-dev rapidjson-dev sox libsox-fmt-mp3 vorbis-tools lame
#   fonts-3270 fonts-vollkorn fonts-lato fonts-leckerli-one
#
# Usage: bash tools/generate_content.sh [previewDir]
#   previewDir: also draw every level to <previewDir>/<level>.png
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
data="$root/data"
packages=(cmake g++ libstb-dev rapidjson-dev sox libsox-fmt-mp3 vorbis-tools lame
          fonts-3270 fonts-vollkorn fonts-lato fonts-leckerli-one)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
build="${BELLRUN_BUILD:-$root/build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target generate_content check_content >/dev/null

mkdir -p "$data/Textures" "$data/Sounds" "$data/Fonts" "$data/GameData/Maps" "$work/wav"
"$build/generate_content" "$data" "$work/wav" "$root"/tools/levels/*.txt

# The desktop icons (hicolor theme sizes), from the window icon's art.
icons="$root/packaging/linux/icons"
for size in 16 32 48 64 128 256; do mkdir -p "$icons/${size}x${size}"; done
"$build/generate_content" --icons "$icons" com.corvane.Bellrun

# Sounds: short effects stay WAV; the rest are encoded with fixed stream serials
# so reruns give identical files.
for f in failthrow checkpoint newpickup laser teleporter hide pokeballCapture pokeballEscape; do
  cp "$work/wav/$f.wav" "$data/Sounds/$f.wav"
done
for f in robotFlick RoboCut explosionFOV explosion; do # the robots and the boss
  cp "$work/wav/$f.wav" "$data/Sounds/$f.wav"
done
for f in button select; do # the menus' clicks
  cp "$work/wav/$f.wav" "$data/Sounds/$f.wav"
done
encode() { # <wav> <ogg> <quality> <serial>
  oggenc -Q -q "$3" --serial "$4" -o "$data/Sounds/$2" "$work/wav/$1"
}
encode jump.wav jump.ogg 2 101
encode throw.wav throw.ogg 2 102
encode failthrow_emp.wav failthrow.ogg 2 103
encode backgroundmusic.wav backgroundmusic.ogg 2 104
encode newbossFinal.wav newbossFinal.ogg 2 105
encode mmm.wav mmm.ogg 2 106
encode empsound.wav empsound.ogg 2 107
lame --quiet --noreplaygain -b 48 "$work/wav/paperRipNew.wav" "$data/Sounds/paperRipNew.mp3"

# Fonts: the engine loads exactly these four names.
font() { # <source ttf> <shipped name>
  cp "$1" "$data/Fonts/$2"
}
font /usr/share/fonts/truetype/3270/3270-Regular.ttf Pixel_Countdown.ttf
font /usr/share/fonts/truetype/vollkorn/Vollkorn-Bold.ttf Serif_Bold.ttf
font /usr/share/fonts/truetype/lato/Lato-Regular.ttf Facet_Regular.ttf
font /usr/share/fonts/truetype/leckerli-one/LeckerliOne-Regular.ttf EraserRegular.ttf
mkdir -p "$data/Fonts/licenses"
for p in fonts-3270 fonts-vollkorn fonts-lato fonts-leckerli-one; do
  cp "/usr/share/doc/$p/copyright" "$data/Fonts/licenses/$p.txt"
done

# The worked example of docs/LEVELS.md: its level, map and dialog, made the same way.
mkdir -p "$work/example/GameData/Levels" "$work/example/GameData/Maps" "$work/example/GameData/Dialog"
"$build/generate_content" --layouts "$work/example" "$root/docs/example/Example.txt"
cp -r "$work/example/GameData/." "$root/docs/example/GameData/"

status=0
for s in "$data"/Sounds/*; do
  sox --i "$s" >/dev/null || { echo "undecodable sound: $s"; status=1; }
done
preview=()
if [ $# -ge 1 ]; then mkdir -p "$1"; preview=("$1"); fi
"$build/check_content" "$data" "${preview[@]}" || status=1
exit $status
