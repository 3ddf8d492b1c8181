#!/usr/bin/env bash
# Installs what Bellrun needs to build, run and test on Debian 12, skipping what is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libglew-dev libgl-dev
  rapidjson-dev libglm-dev libimgui-dev libstb-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  glslang-tools xvfb xauth xdotool libgl1-mesa-dri
  clang libclang-rt-14-dev
  desktop-file-utils appstream file
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
