#!/usr/bin/env bash
# The desktop integration files: valid for the validators distributions run, and in step with
# the program (its version, its switches) and with the icon sizes the hicolor theme asks for.
set -u
bin=$1; src=$2
linux="$src/packaging/linux"
if ! command -v desktop-file-validate > /dev/null || ! command -v appstreamcli > /dev/null; then
  echo "skip: needs desktop-file-validate and appstreamcli (desktop-file-utils, appstream)"
  exit 77
fi
status=0
fail() { echo "FAIL: $*"; status=1; }

desktop-file-validate "$linux/com.corvane.Bellrun.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$linux/com.corvane.Bellrun.metainfo.xml" || fail "appstreamcli validate"

version=$("$bin" --version | sed -n 's/^bellrun //p')
[ -n "$version" ] || fail "bellrun --version printed no version"
grep -q "<release version=\"$version\"" "$linux/com.corvane.Bellrun.metainfo.xml" ||
  fail "the metainfo has no release $version"
grep -q "\"Bellrun $version\"" "$linux/bellrun.6" || fail "the manual page is not for $version"

# Every switch of --help is in the manual page (written there as \-\-name).
for sw in $("$bin" --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -qF -- "$(printf '%s' "$sw" | sed 's/-/\\-/g')" "$linux/bellrun.6" ||
    fail "the manual page lacks $sw"
done

# Each icon is a PNG of its folder's size (width and height from the header).
for size in 16 32 48 64 128 256; do
  png="$linux/icons/${size}x${size}/com.corvane.Bellrun.png"
  [ -f "$png" ] || { fail "missing $png"; continue; }
  read -r w0 w1 w2 w3 h0 h1 h2 h3 < <(od -An -tu1 -j16 -N8 "$png")
  w=$(( (w0 << 24) | (w1 << 16) | (w2 << 8) | w3 )); h=$(( (h0 << 24) | (h1 << 16) | (h2 << 8) | h3 ))
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "$png is ${w}x${h}"
done
[ $status -eq 0 ] && echo "desktop files: all good"
exit $status
