#!/usr/bin/env bash
# Builds the Windows game from this tree on Debian 12 with MinGW-w64: bellrun.exe, the tests, the
# content checker and the player's zip (build-windows/Bellrun-<version>-win64.zip).
#
# The Windows libraries are built from Debian's own source packages, at the versions Debian 12
# ships (the Linux build uses the same), into a prefix outside the clone that later builds reuse:
#   ${BELLRUN_WINDOWS_CACHE:-~/.cache/bellrun-windows}/<versions>/
# Header-only libraries (RapidJSON, glm, stb) are copied there from the installed -dev packages.
#
#   tools/windows/build.sh            libraries (if missing), game, tests, zip
#   tools/windows/build.sh --libs     only the libraries; prints the prefix
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
out=${BELLRUN_WINDOWS_BUILD:-$root/build-windows}
jobs=${BELLRUN_JOBS:-$(nproc)}
host=x86_64-w64-mingw32

# Debian 12's versions: the source packages, pinned.
SDL2_SRC=libsdl2=2.26.5+dfsg-1
MIXER_SRC=libsdl2-mixer=2.6.2+dfsg-2
TTF_SRC=libsdl2-ttf=2.20.1+dfsg-2
FREETYPE_SRC=freetype=2.12.1+dfsg-5+deb12u4
GLEW_SRC=glew=2.2.0-4
IMGUI_SRC=imgui=1.86+ds-1

versions="sdl2-2.26.5_mixer-2.6.2_ttf-2.20.1_ft-2.12.1_glew-2.2.0_imgui-1.86_gtest"
cache=${BELLRUN_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/bellrun-windows}
prefix=$cache/$versions

say() { echo "windows-build: $*"; }

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

install_packages() {
  local packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    mingw-w64-x86-64-dev cmake make pkg-config dpkg-dev xz-utils
    rapidjson-dev libglm-dev libstb-dev googletest wine64 wine
  )
  local missing=()
  for p in "${packages[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# apt-get source needs a deb-src entry for the suites the machine already uses.
add_deb_src() {
  if grep -rqs '^\(Types:.*deb-src\|deb-src \)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return 0
  fi
  local from=/etc/apt/sources.list.d/debian.sources
  local entry=/etc/apt/sources.list.d/bellrun-deb-src.sources
  say "adding deb-src entries ($entry)"
  if [ -f "$from" ]; then
    sed 's/^Types: deb$/Types: deb-src/' "$from" | $sudo tee "$entry" >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list 2>/dev/null | sed 's/^deb /deb-src /' |
      $sudo tee /etc/apt/sources.list.d/bellrun-deb-src.list >/dev/null
  fi
  $sudo apt-get update -qq
}

# Unpacks one source package into a folder of its own under $work and prints its source folder.
fetch() {
  local pinned=$1 dir="$work/src-${1%%=*}"
  mkdir -p "$dir"
  (cd "$dir" && apt-get source -qq --only-source "$pinned" >/dev/null 2>&1) ||
    { echo "windows-build: apt-get source $pinned failed" >&2; exit 1; }
  find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n 1
}

cmake_lib() {
  local src=$1 name=$2
  shift 2
  cmake -S "$src" -B "$work/build-$name" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" "$@" >/dev/null
  cmake --build "$work/build-$name" -j"$jobs" >/dev/null
  cmake --install "$work/build-$name" >/dev/null
}

# The DLLs carry the C runtime's helpers inside (-static-libgcc), so the zip ships only the
# libraries' own DLLs.
link=(-DCMAKE_SHARED_LINKER_FLAGS=-static-libgcc)

build_sdl2() {
  local src; src=$(fetch "$SDL2_SRC")
  cmake_lib "$src" sdl2 "${link[@]}" -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF
  cp "$src/LICENSE.txt" "$prefix/licenses/SDL2.txt"
}

build_freetype() {
  local src; src=$(fetch "$FREETYPE_SRC")
  cmake_lib "$src" freetype -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
    -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  cp "$src/LICENSE.TXT" "$prefix/licenses/FreeType.txt"
  cp "$src/docs/FTL.TXT" "$prefix/licenses/FreeType-FTL.txt"
}

# WAV, OGG (stb_vorbis) and MP3 (dr_mp3) are built into SDL2_mixer: no codec libraries.
build_mixer() {
  local src; src=$(fetch "$MIXER_SRC")
  cmake_lib "$src" mixer "${link[@]}" -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_VENDORED=OFF \
    -DSDL2MIXER_VORBIS=STB -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_DRMP3=ON \
    -DSDL2MIXER_MP3_MPG123=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF \
    -DSDL2MIXER_OPUS=OFF
  cp "$src/LICENSE.txt" "$prefix/licenses/SDL2_mixer.txt"
}

# FreeType goes inside SDL2_ttf.dll.
build_ttf() {
  local src; src=$(fetch "$TTF_SRC")
  cmake_lib "$src" ttf "${link[@]}" -DSDL2TTF_SAMPLES=OFF -DSDL2TTF_VENDORED=OFF \
    -DSDL2TTF_HARFBUZZ=OFF
  cp "$src/LICENSE.txt" "$prefix/licenses/SDL2_ttf.txt"
}

# GLEW's DLL links no C runtime at all (its own -nostdlib).
build_glew() {
  local src; src=$(fetch "$GLEW_SRC")
  cmake_lib "$src/build/cmake" glew -DBUILD_UTILS=OFF -DGLEW_REGAL=OFF
  cp "$src/LICENSE.txt" "$prefix/licenses/GLEW.txt"
}

build_imgui() {
  local src; src=$(fetch "$IMGUI_SRC")
  cmake_lib "$root/tools/windows/imgui" imgui -DIMGUI_SOURCE_DIR="$src"
  cp "$src/LICENSE.txt" "$prefix/licenses/DearImGui.txt"
}

# GoogleTest for the tests, from the googletest package's sources.
build_gtest() {
  cmake_lib /usr/src/googletest gtest -DBUILD_SHARED_LIBS=OFF
}

# The header-only libraries and the MinGW-w64 runtime pieces linked into the programs ship
# their licences in the zip too.
build_headers() {
  cp -r /usr/include/rapidjson /usr/include/glm /usr/include/stb "$prefix/include/"
  cp /usr/share/doc/rapidjson-dev/copyright "$prefix/licenses/RapidJSON.txt"
  cp /usr/share/doc/libglm-dev/copyright "$prefix/licenses/glm.txt"
  cp /usr/share/doc/libstb-dev/copyright "$prefix/licenses/stb.txt"
  cp /usr/share/doc/mingw-w64-common/copyright "$prefix/licenses/MinGW-w64-runtime.txt"
  cp /usr/share/doc/gcc-mingw-w64-base/copyright "$prefix/licenses/GCC-runtime-libraries.txt"
}

# Each library once: a stamp marks it built, so an interrupted first build resumes.
build_libs() {
  [ -f "$prefix/.complete" ] && return 0
  add_deb_src
  mkdir -p "$prefix/include" "$prefix/licenses"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  for lib in sdl2 freetype mixer ttf glew imgui gtest headers; do
    [ -f "$prefix/.built-$lib" ] && continue
    say "$lib"
    "build_$lib"
    touch "$prefix/.built-$lib"
  done
  touch "$prefix/.complete"
  rm -rf "$work"
  trap - EXIT
}

install_packages
start=$SECONDS
build_libs
say "libraries in $prefix ($((SECONDS - start)) s)"
if [ "${1:-}" = "--libs" ]; then
  echo "$prefix"
  exit 0
fi

start=$SECONDS
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root" -B "$out" "${launcher[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_FIND_ROOT_PATH="$prefix" -DBELLRUN_BENCH=OFF \
  -DBELLRUN_WINDOWS_LICENSES="$prefix/licenses" ${BELLRUN_WINDOWS_CMAKE_ARGS:-}
cmake --build "$out" -j"$jobs"
(cd "$out" && cpack -G ZIP >/dev/null)
say "game, tests and zip in $out ($((SECONDS - start)) s)"
ls "$out"/Bellrun-*-win64.zip
