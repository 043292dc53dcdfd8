#!/usr/bin/env bash
# Builds the game's Debian package from the working tree, in a folder of its
# own: a copy of the sources with packaging/debian as its debian folder,
# built by dpkg-buildpackage. The package lands in the output folder.
#   packaging/build-deb.sh [output folder, default build-deb]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-build-deb}
mkdir -p "$out"
out=$(cd "$out" && pwd)
# dpkg-buildpackage writes the package beside the source folder.
src=$out/kanacatch
rm -rf "$src" "$out"/kanacatch*_*
mkdir -p "$src"

# The files git tracks or would add, as they are now: no build output.
git -C "$root" rev-parse --is-inside-work-tree > /dev/null ||
  { echo "the package is built from a git checkout of the project" >&2; exit 1; }
git -C "$root" ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' file; do
    [[ -e $root/$file || -L $root/$file ]] && printf '%s\0' "$file"
  done |
  tar -C "$root" --null -T - -cf - | tar -C "$src" -xf -
cp -r "$root/packaging/debian" "$src/debian"

cd "$src"
nice -n 10 dpkg-buildpackage --build=binary --no-sign -j"$(nproc)" > "$out/build.log" 2>&1 || {
  tail -n 40 "$out/build.log" >&2
  echo "the package build failed: $out/build.log" >&2
  exit 1
}
ls "$out"/kanacatch_*.deb
