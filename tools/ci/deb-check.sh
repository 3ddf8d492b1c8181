#!/usr/bin/env bash
# The Debian package as a player gets it: built in a folder of its own (prefix /usr), installed
# with apt-get as a user would, validated where it landed, played headless on Level2 from another
# working folder on the installed data, then removed again. Needs root or sudo; leaves the
# machine as it found it (the package is removed even when a step fails).
#
# Usage: bash tools/ci/deb-check.sh [buildDir]   (default: build-deb)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build-deb}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DBELLRUN_TESTS=OFF -DBELLRUN_BENCH=OFF > "$build.configure.log"
cmake --build "$build" -j2 --target bellrun bellrun_manpage
rm -f "$build"/bellrun_*.deb "$build"/bellrun-*.tar.gz
(cd "$build" && cpack -G "DEB;TGZ" > cpack.log)
debs=("$build"/bellrun_*.deb)
deb="${debs[0]}"
echo "deb-check: $(basename "$deb"): depends on $(dpkg-deb -f "$deb" Depends)"

if dpkg -s bellrun > /dev/null 2>&1; then
  echo "deb-check: bellrun is already installed here; not touching it"
  exit 1
fi
work="$(mktemp -d)"
cleanup() {
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq bellrun > /dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
# apt-get takes a local package by a path with a slash: "./bellrun_0.1_amd64.deb".
(cd "$build" && $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
  "./$(basename "$deb")" > "$work/apt.log") || { cat "$work/apt.log"; exit 1; }

status=0
fail() { echo "deb-check: FAIL: $*"; status=1; }
[ "$(command -v bellrun)" = /usr/bin/bellrun ] || fail "bellrun is not /usr/bin/bellrun"
[ -f /usr/share/bellrun/System/LevelList.json ] || fail "no data in /usr/share/bellrun"
desktop-file-validate /usr/share/applications/com.corvane.Bellrun.desktop || fail "desktop file"
appstreamcli validate --no-net /usr/share/metainfo/com.corvane.Bellrun.metainfo.xml ||
  fail "metainfo"
for size in 16 32 48 64 128 256; do
  [ -f "/usr/share/icons/hicolor/${size}x${size}/apps/com.corvane.Bellrun.png" ] ||
    fail "no ${size}x${size} icon"
done
[ -f /usr/share/man/man6/bellrun.6.gz ] || fail "no manual page"
[ -f /usr/share/doc/bellrun/LICENSE ] || fail "no licence"

# From a folder with no data in it: the program must find the installed data by itself.
cd "$work"
if HOME="$work" SDL_AUDIODRIVER=dummy bellrun --headless --frames 600 --level Level2.json \
  > run.log 2>&1; then
  grep -q "^data: reading the game's data from /usr/share/bellrun/$" run.log ||
    fail "the run did not use the installed data: $(grep '^data:' run.log)"
  grep -q "Serializing Level : Level2.json" run.log || fail "Level2 did not load"
else
  fail "bellrun --headless --frames 600 --level Level2.json failed:"
  tail -20 run.log
fi
cd "$root"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq bellrun > /dev/null
[ ! -e /usr/bin/bellrun ] || fail "removing the package left /usr/bin/bellrun"
[ $status -eq 0 ] && echo "deb-check: installed, played Level2 on the installed data, removed"
exit $status
