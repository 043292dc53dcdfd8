# Sourced by the scripts that start the game on an X server of its own (Xvfb):
#   source tools/virtual-display.sh <width>x<height>x<depth>
# starts the server and sets DISPLAY; $work is a private scratch folder, also
# the game's runtime folder. The script puts the game's process id in $game;
# when the script ends, the game and the server are stopped and $work removed.
work=$(mktemp -d)
chmod 700 "$work"
exec {display_fd}> "$work/display"
Xvfb -displayfd "$display_fd" -screen 0 "$1" -nolisten tcp -noreset 2> /dev/null &
xvfb=$!
stop_virtual_display() {
  [[ -n ${game:-} ]] && kill "$game" 2> /dev/null || true
  kill "$xvfb" 2> /dev/null || true
  wait 2> /dev/null || true
  rm -rf "$work"
}
trap stop_virtual_display EXIT
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")

# The game's newest visible window, waited for up to a minute.
window_of_game() { timeout 60 xdotool search --sync --onlyvisible --pid "$game" | head -n1; }
