#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks what arrived: the program
# with its data folder and modules together in a folder of their own, a launcher on the
# PATH that leads to it, icons with transparency at every size, and a desktop
# entry, AppStream metadata and a manual page that validate.
#   check-install.sh <build> <application id>
set -euo pipefail
build=$1
id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" > /dev/null

program=$(readlink -f "$prefix/bin/kanacatch")
[[ $program == "$(readlink -f "$prefix/lib/kanacatch")/kanacatch" ]] ||
  fail "bin/kanacatch leads to '$program'"
[[ -x $program ]] || fail "the program is not executable"
diff -r "$build/app/Deta" "$(dirname "$program")/Deta" || fail "Deta differs from the build's"
# The program loads its history store, chart and sound effects from its own
# folder, and does not link Qt SQL, Qt Charts or Qt Multimedia itself.
for module in history chart sound; do
  [[ -f $(dirname "$program")/libkanacatch_$module.so ]] || fail "no $module module beside the program"
done
! ldd "$program" | grep -qE 'Qt6(Sql|Charts|Multimedia)' ||
  fail "the program links Qt SQL, Qt Charts or Qt Multimedia"

# A PNG's header holds its width and height (bytes 16-23) and its colour
# type (byte 25: 6 is RGBA).
png_byte_field() { od -An -tx1 -j "$2" -N "$3" "$1" | tr -d ' \n'; }
for size in 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [[ -f $icon ]] || fail "no $size px icon"
  [[ $((16#$(png_byte_field "$icon" 16 4))) -eq $size && $((16#$(png_byte_field "$icon" 20 4))) -eq $size ]] ||
    fail "the $size px icon has another size"
  [[ $(png_byte_field "$icon" 25 1) == 06 ]] || fail "the $size px icon has no transparency"
done

desktop-file-validate "$prefix/share/applications/$id.desktop"
grep -qx 'Name=KanaCatch' "$prefix/share/applications/$id.desktop" || fail "no English name"
grep -qx 'Name\[ja\]=かなキャッチ' "$prefix/share/applications/$id.desktop" || fail "no Japanese name"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml"
man --warnings -l "$prefix/share/man/man6/kanacatch.6" 2>&1 > /dev/null | grep . && fail "the manual page has faults"
echo "installation into $prefix is complete"
