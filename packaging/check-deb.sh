#!/usr/bin/env bash
# Checks the game's Debian package: it builds; lintian finds no error and no
# warning beyond those kept in debian/kanacatch.lintian-overrides; its files
# are the layout below; a second build from another folder gives the same
# files with the same checksums; and the packaged program, unpacked, starts
# through its launcher to the title window, opens the game and quits.
#   packaging/check-deb.sh [work folder, default build-deb]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-build-deb}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
started=$SECONDS

echo "== building the package"
"$here/build-deb.sh" "$out" > /dev/null
deb=$(echo "$out"/kanacatch_*.deb)
[[ -f $deb ]] || fail "no package in $out"
echo "$deb, built in $((SECONDS - started)) s"
# debian/changelog and the CMake project give the version: they must agree.
version=$(sed -n 's/^project(kanacatch VERSION \([^ ]*\).*/\1/p' "$here/../CMakeLists.txt")
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] ||
  fail "the package is version $(dpkg-deb -f "$deb" Version), the project $version"

echo "== lintian"
lintian --fail-on error,warning --display-info --show-overrides "$deb" || fail "lintian"

echo "== the files"
# The files and links of a package, one a line, without its folders.
files_of() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ { $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' | sort; }
id=org.kanacatch.kanacatch
{
  echo "./usr/games/kanacatch -> ../lib/kanacatch/kanacatch"
  echo "./usr/lib/kanacatch/kanacatch"
  echo "./usr/lib/kanacatch/libkanacatch_chart.so"
  echo "./usr/lib/kanacatch/libkanacatch_history.so"
  echo "./usr/lib/kanacatch/libkanacatch_sound.so"
  # The data folder as the package build made it.
  for data in "$out"/kanacatch/obj-*/app/Deta/*; do echo "./usr/lib/kanacatch/Deta/${data##*/}"; done
  echo "./usr/share/applications/$id.desktop"
  echo "./usr/share/doc/kanacatch/changelog.gz"
  echo "./usr/share/doc/kanacatch/copyright"
  for size in 48 64 128 256; do echo "./usr/share/icons/hicolor/${size}x$size/apps/$id.png"; done
  echo "./usr/share/lintian/overrides/kanacatch"
  echo "./usr/share/man/man6/kanacatch.6.gz"
  echo "./usr/share/metainfo/$id.metainfo.xml"
} | sort > "$out/expected-files"
files_of "$deb" > "$out/files"
diff -u "$out/expected-files" "$out/files" || fail "the package's files differ from the layout (+ in the package only)"
cat "$out/files"

echo "== a second build, from another folder"
again_started=$SECONDS
"$here/build-deb.sh" "$out/again" > /dev/null
again=$(echo "$out"/again/kanacatch_*.deb)
echo "built in $((SECONDS - again_started)) s"
dpkg-deb -c "$deb" > "$out/listing"
dpkg-deb -c "$again" > "$out/again/listing"
diff -u "$out/listing" "$out/again/listing" || fail "the second build's file list differs"
dpkg-deb -I "$deb" md5sums > "$out/md5sums"
dpkg-deb -I "$again" md5sums > "$out/again/md5sums"
diff -u "$out/md5sums" "$out/again/md5sums" || fail "the second build's files differ"
grep ' usr/lib/kanacatch/kanacatch$' "$out/md5sums"
if cmp -s "$deb" "$again"; then
  echo "the two packages are the same, byte for byte"
else
  echo "the two packages hold the same files but differ as archives"
fi

echo "== the packaged program under Xvfb"
source "$here/../tools/virtual-display.sh" 1024x768x24
dpkg-deb -x "$deb" "$work/root"
# The copies of the program meet in the runtime folder: this one has its
# own, and a history of its own.
XDG_RUNTIME_DIR=$work XDG_DATA_HOME=$work QT_QPA_PLATFORM=xcb "$work/root/usr/games/kanacatch" \
  2> "$work/stderr" &
game=$!
title=$(window_of_game 2> /dev/null)
[[ -n $title ]] || fail "no title window"
echo "title window: $(xdotool getwindowname "$title")"
xdotool mousemove --window "$title" 320 240 click 1
main=
for _ in $(seq 100); do
  main=$(window_of_game)
  [[ -n $main && $main != "$title" ]] && break
  sleep 0.1
done
[[ -n $main && $main != "$title" ]] || fail "no window followed the title"
# The game's window is the playfield and its menu bar; a message box about
# missing data would be much smaller.
width=$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^WIDTH=//p')
[[ $width -ge 640 ]] || fail "the window after the title is $width px wide, not the game's"
# Xvfb has no window manager to give the clicked window the keyboard.
xdotool mousemove --window "$main" 20 300 click 1
xdotool key ctrl+q
for _ in $(seq 100); do kill -0 "$game" 2> /dev/null || break; sleep 0.1; done
kill -0 "$game" 2> /dev/null && fail "Ctrl+Q left the program running"
status=0
wait "$game" || status=$?
game=
[[ $status -eq 0 ]] || fail "the program ended with status $status: $(cat "$work/stderr")"
echo "the game's window opened and Ctrl+Q ended the program with status 0"
echo "== the package is sound ($((SECONDS - started)) s)"
