#!/usr/bin/env bash
# Takes a screenshot of a game in progress from the real program's window,
# on an X server of its own (Xvfb), as a player would see it.
#   tools/screenshot.sh [build] [out.png] [scale]
# scale 2 shows the game on a screen of device pixel ratio 2 (QT_SCALE_FACTOR).
set -euo pipefail
build=${1:-build}
out=${2:-docs/screenshot.png}
scale=${3:-1}
program=$build/app/kanacatch
[[ -x $program ]] || { echo "no program at $program: build it first" >&2; exit 1; }

source "$(dirname "$0")/virtual-display.sh" "$((1280 * scale))x$((800 * scale))x24"

# The copies of the program meet in the runtime folder: this one has its own.
XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$program" 2> /dev/null &
game=$!

title=$(window_of_game)
xdotool mousemove --window "$title" 200 200 click 1
for _ in $(seq 100); do
  main=$(window_of_game)
  [[ $main != "$title" ]] && break
  sleep 0.1
done
# Xvfb has no window manager to give the clicked window the keyboard.
xdotool mousemove --window "$main" 20 $((300 * scale)) click 1
xdotool key ctrl+g
sleep 9
# The first lesson's strings, so that a critter or two are caught.
xdotool key a Return i Return u Return e Return o Return k a Return k i Return k u Return \
  k e Return k o Return x a Return x i Return x u Return x e Return x o Return
sleep 0.4
mkdir -p "$(dirname "$out")"
import -silent -window "$main" "$out"
echo "wrote $out"
