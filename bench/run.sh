#!/usr/bin/env bash
# Builds the program and its benchmarks into a build folder (default: build)
# and prints a table of figures, in three parts:
#
# 1. In-process benchmarks (offscreen platform): the cost of one animation
#    step (wall time, and callgrind's instruction count), the step periods of
#    the real main loop, the history's writes, the 記録 window opened with
#    1,000 games kept (the history read first, then the window from the menu
#    command to its picture), the heap that each game of the main window
#    leaves behind (the same short game again and again, every critter
#    caught, 19 games measured once the caches are warm).
# 2. The built program on an Xvfb server of its own, driven with xdotool as a
#    player drives it (Xvfb has no audio device: music and sounds stay silent):
#    - start-up, five times: exec → title window mapped → its picture on the
#      screen (bench/FirstPaint.cpp reads the window's pixels every 2 ms) →
#      main loop running (a click queued on the title hands over to the main
#      window on the loop's first pass), with the CPU time used by then;
#    - CPU while a game runs (20 s) and idle (20 s), the X server's beside it;
#    - CPU per typed key while the text grows in the box: romaji vowels (one
#      kana a key) at about 10 and 30 keys/s, in three new games each, ten
#      seconds of keys in each, a second of playing without keys after every
#      second of keys, the keys' cost less what playing costs in as long;
#    - peak resident memory (VmHWM) after all that;
#    - the CPU per typed key again under a window manager (openbox), as on a
#      desktop;
#    - for comparison, the CPU per key of the least a Qt window does for a key
#      (bench/KeyFloor.cpp): show a count of them, or repaint nothing; under
#      openbox and without a window manager.
# 3. The same program built with a record of its step ends
#    (bench/StepStamps.cpp, nothing else changed): the step periods of a game
#    under Xvfb, plain and during a flood of keys (xdotool typing as fast as
#    it can, thousands of keys a second, the text growing all the while); and
#    a game at scale 2 (QT_SCALE_FACTOR=2 on a 2560×1600 screen): CPU, step
#    periods, peak memory.
#
# The load average is printed before and after. Other programs on the same
# cores stretch the wall-clock figures; CPU times and instruction counts
# change little with load, so they stand beside the wall figures.
# CPU times come from the scheduler's counts, to the tenth of a millisecond.
# Takes about ten minutes. Needs valgrind, Xvfb, xdotool, xdpyinfo,
# ImageMagick and openbox (tools/packages.txt).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
app=$build/app/kanacatch
stamping_app=$build/bench/kanacatch_step_stamps
first_paint=$build/bench/kanacatch_first_paint
seconds=20
work=$(mktemp -d)
stamps=$work/stamps.txt
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
started_at=$(date +%s)
xvfb_pid=""
game_pid=""
wm_pid=""

say() { echo "== $(($(date +%s) - started_at)) s: $*" >&2; }

# True while process $1 runs. A process that ended but was not yet reaped
# does not count, nor one reaped while its state is read.
alive() {
  local state
  state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) && [[ -n $state && $state != Z ]]
}

# Ends the program with ctrl+q, or with a signal when $1 is "kill" or when
# it has not ended 5 s after the ctrl+q; sets quit_ms to the milliseconds
# it took to end on ctrl+q (empty when it had to be killed).
stop_program() {
  [[ -n $game_pid ]] || return 0
  local asked
  asked=$(now_ms) quit_ms=""
  if [[ ${1:-} == kill ]]; then
    kill "$game_pid"
  else
    xdotool mousemove --window "$main" 320 300 key ctrl+q 2>/dev/null || true
  fi
  while alive "$game_pid" && (($(now_ms) - asked < 5000)); do sleep 0.02; done
  if alive "$game_pid"; then
    # It may still end by itself between the look and the signal.
    kill "$game_pid" 2>/dev/null || true
  elif [[ ${1:-} != kill ]]; then
    quit_ms=$(($(now_ms) - asked))
  fi
  game_pid=""
}

stop_x() {
  [[ -n $xvfb_pid ]] || return 0
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}

# Runs however the script ends, so each kill may find its process gone.
cleanup() {
  [[ -z $game_pid ]] || kill "$game_pid" 2>/dev/null || true
  [[ -z $wm_pid ]] || kill "$wm_pid" 2>/dev/null || true
  stop_x
  rm -rf "$work"
}
trap cleanup EXIT

say "building in $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target kanacatch kanacatch_step_bench kanacatch_step_count \
  kanacatch_step_timing kanacatch_history_write kanacatch_record_open kanacatch_game_memory \
  kanacatch_step_stamps kanacatch_first_paint kanacatch_key_floor >/dev/null

# ============================ 1. In-process =================================

# --- The step's cost: wall time (median of 5 runs) and instructions. -------
say "step cost (Google Benchmark)"
QT_QPA_PLATFORM=offscreen "$build/bench/kanacatch_step_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv >"$work/cost.csv" 2>/dev/null
median_us() { awk -F, -v n="\"$1_median\"" '$1 == n { printf "%.1f", $4 }' "$work/cost.csv"; }
step_us=$(median_us BM_SixHoleStep)
hole_us=$(median_us BM_HoleRedraw)
band_us=$(median_us BM_CounterBand)

# The instructions of the steps alone: two runs of different lengths, so
# start-up and the first steps' font loading cancel out.
say "step instructions (callgrind)"
instructions() {
  QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file="$work/cg.$1" \
    "$build/bench/kanacatch_step_count" "$1" >/dev/null 2>&1
  awk '/^(summary|totals):/ { print $2; exit }' "$work/cg.$1"
}
few=20
many=220
ir_few=$(instructions $few)
ir_many=$(instructions $many)
step_ir=$(((ir_many - ir_few) / (many - few)))

# --- The running loop's step periods on the real clock. -------------------
say "step periods (${seconds} s of a game in the real loop)"
QT_QPA_PLATFORM=offscreen "$build/bench/kanacatch_step_timing" "$seconds" >"$work/timing.txt"
field() { awk -v line="$1" -v key="$2" '$1 == line { for (i = 2; i <= NF; ++i) {
  split($i, kv, "="); if (kv[1] == key) print kv[2] } }' "${3:-$work/timing.txt}"; }

# --- The history's writes, on their own and while the loop steps. ----------
say "history writes, and step periods while games are written"
"$build/bench/kanacatch_history_write" >"$work/history.txt"
QT_QPA_PLATFORM=offscreen "$build/bench/kanacatch_step_timing" $((seconds / 2)) writes \
  >"$work/timing-writes.txt"

# --- The 記録 window with 1,000 games kept. ----------------------------------
say "the 記録 window with 1,000 games kept"
QT_QPA_PLATFORM=offscreen "$build/bench/kanacatch_record_open" >"$work/record.txt"

# --- The heap each game leaves behind, once warm. ----------------------------
say "the heap left behind by each short game"
QT_QPA_PLATFORM=offscreen "$build/bench/kanacatch_game_memory" >"$work/memory.txt"

# ====================== 2. and 3. The program under Xvfb ===================

# Starts an X server of SIZE (WIDTHxHEIGHT) on a free display.
start_x() {
  stop_x
  local display=""
  for n in $(seq 90 199); do
    if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then display=:$n; break; fi
  done
  [[ -n $display ]] || { echo "no free X display" >&2; exit 1; }
  say "Xvfb $1 on $display"
  Xvfb "$display" -screen 0 "$1x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.05; done
  export DISPLAY=$display
}

hz=$(getconf CLK_TCK)
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# CPU milliseconds (user + system, every thread, ended ones too) of a process,
# in the kernel's 10 ms ticks.
cpu_ms() { awk -v hz="$hz" '{ print int(($14 + $15) * 1000 / hz) }' "/proc/$1/stat"; }
# The same to the tenth of a millisecond, from the scheduler's counts of the
# threads still running.
cpu_ms_fine() { cat /proc/"$1"/task/*/schedstat | awk '{ ns += $1 } END { printf "%.1f", ns / 1e6 }'; }
peak_mib() { awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
# A share of one core: CPU milliseconds $1 over wall milliseconds $2.
percent() { awk -v c="$1" -v w="$2" 'BEGIN { printf "%.2f", 100 * c / w }'; }

# A process's CPU: `cpu_mark PID` prints a mark (the fine and the ticked
# CPU, the threads' ids); `cpu_since PID MARK` the CPU ms since it, to the
# tenth of a millisecond, or in ticks where the scheduler's counts lost a
# thread that ended (one of the mark, or one that came and went since):
# the ticks count ended threads too.
cpu_mark() { echo "$(cpu_ms_fine "$1") $(cpu_ms "$1") $(ls "/proc/$1/task" | tr '\n' ' ')"; }
cpu_since() {
  local fine ticks tids tid now_fine ended=0
  read -r fine ticks tids <<<"$2"
  now_fine=$(cpu_ms_fine "$1")
  for tid in $tids; do [[ -e /proc/$1/task/$tid ]] || ended=1; done
  awk -v a="$fine" -v b="$now_fine" -v t0="$ticks" -v t1="$(cpu_ms "$1")" -v ended="$ended" \
    'BEGIN { if (!ended && (t1 - t0) - (b - a) <= 20) { printf "%.1f\n", b - a; exit }
      print t1 - t0; print "== counted in ticks: a thread ended" > "/dev/stderr" }'
}

# A measurement: `begin` notes the wall clock and the CPU of the program and
# of the X server (and marks NAME in the step stamps); `finish` sets wall_ms,
# game_ms and x_ms to what passed since.
begin() {
  echo "begin $1" >>"$stamps"
  mark_wall=$(now_ms) mark_game=$(cpu_mark "$game_pid") mark_x=$(cpu_mark "$xvfb_pid")
}
finish() {
  echo "end $1" >>"$stamps"
  wall_ms=$(($(now_ms) - mark_wall))
  game_ms=$(cpu_since "$game_pid" "$mark_game")
  x_ms=$(cpu_since "$xvfb_pid" "$mark_x")
}

# Measures NAME over SECONDS of the program running on its own (see begin
# and finish); with a file name after them, a screenshot goes there half-way.
observe() {
  say "$1 for $2 s"
  begin "$1"
  sleep $(($2 / 2))
  [[ -z ${3:-} ]] || import -window root "$3" 2>/dev/null || true
  sleep $(($2 - $2 / 2))
  finish "$1"
}

# A runtime folder of its own, so a copy of the game running elsewhere for
# this user does not make this one refuse to start, and a history of its own.
mkdir -m 700 "$work/run"

# Starts PROGRAM (through the first-paint watcher) with the environment
# settings that follow it, and hands over from the title window to the main
# window with a click; sets game_pid, main (the main window's id) and the
# start-up figures: wall ms from exec to the title mapped (mapped_ms),
# painted (painted_ms) and the main loop running (loop_ms), and CPU ms at
# the last two (painted_cpu, loop_cpu).
launch() {
  local program=$1 started title
  shift
  env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" \
    KANACATCH_STEP_STAMPS="$stamps" "$@" "$first_paint" "$program" >"$work/paint.txt"
  read -r game_pid mapped_ms painted_ms painted_cpu started < <(awk -F'[ =]' \
    '{ print $2, $4, $6, $8, $10 }' "$work/paint.txt")
  title=$(xdotool search --onlyvisible --pid "$game_pid" | head -n1)
  # The click is handled on the main loop's first pass and hands over to the
  # main window: its appearance marks the loop running (an upper bound, the
  # hand-over's drawing included; the loop may have run before the click).
  xdotool mousemove --window "$title" 100 100 click 1
  main=""
  for _ in $(seq 2500); do
    main=$(xdotool search --onlyvisible --pid "$game_pid" | grep -vx "$title" | head -n1 || true)
    [[ -n $main ]] && break
    sleep 0.002
  done
  [[ -n $main ]] || { echo "the program showed no main window" >&2; exit 1; }
  loop_ms=$(($(now_ms) - started)) loop_cpu=$(cpu_ms_fine "$game_pid")
}

# A new game from the start (an empty box), the pointer over the playfield
# so that the keys go to the main window.
new_game() {
  xdotool mousemove --window "$main" 320 300 key ctrl+s
  sleep 0.3
  xdotool click 1 key ctrl+g
  sleep 1
}

# The step periods (ms) between the marks "begin NAME" and "end NAME":
# prints the count, p50, p99 and the maximum (nearest rank).
periods() {
  awk -v name="$1" '$1 == "begin" && $2 == name { on = 1; last = 0; next }
    $1 == "end" && $2 == name { on = 0 }
    on && $1 == "step" { if (last) print $2 - last; last = $2 }' "$stamps" | sort -n |
    awk '{ v[NR] = $1 } function rank(p) { i = int(p * NR + 0.999999); return v[i < 1 ? 1 : i] }
      END { if (NR) printf "%d %.2f %.2f %.2f\n", NR, rank(0.5), rank(0.99), v[NR]; else print 0, "-", "-", "-" }'
}

# --- 2. Start-up: five starts of the program. --------------------------------
start_x 1024x768
say "start-up, 5 times"
for _ in 1 2 3 4 5; do
  launch "$app"
  echo "$mapped_ms $painted_ms $loop_ms $painted_cpu $loop_cpu" >>"$work/startup.txt"
  stop_program kill
done
# Column $1 of the start-ups sorted by it, at rank $2 (1 quickest, 3 median).
startup() { sort -n -k"$1" "$work/startup.txt" | awk -v k="$1" -v r="$2" 'NR == r { print $k }'; }

# --- 2. Playing, typing and idle. ------------------------------------------
launch "$app"
new_game
observe playing "$seconds" "$build/bench-playing.png"
play_wall=$wall_ms play_cpu=$game_ms play_x=$x_ms

# The keys' cost at about $1 keys a second, in `rounds` new games (each made
# by the command $2, new_game unless told): in each, `cycles` times, $1
# romaji vowels (one kana a key) typed into the box, then a second of playing
# without keys. Each key's cost is the typing's CPU less what playing costs
# in as long, the playing measured between the typings: the game's own work,
# which varies with what rises when, falls alike on both. The playing runs
# an xdotool that only sleeps, so that the X server's work of connecting
# xdotool falls on both alike too.
# Sets rate (keys a second), the program's CPU ms of the keys over playing
# (extra_ms) and the X server's (x_extra_ms), the cost of one key to the
# program (key_ms) and in each round (key_rounds), and the CPU and wall ms
# of the typing (typing_cpu, typing_wall).
rounds=3
cycles=10
type_keys() {
  local count=$(($1 * cycles)) fresh=${2:-new_game} text round cycle keys between one
  text=$(printf 'aiueo%.0s' $(seq $(($1 / 5))))
  extra_ms=0 x_extra_ms=0 typing_cpu=0 typing_wall=0 key_rounds=""
  for round in $(seq $rounds); do
    $fresh
    say "${cycles} times $1 keys at about $1 a second, then 1 s without"
    keys="0 0 0" between="0 0 0"
    for cycle in $(seq $cycles); do
      begin "keys$1"
      # xdotool waits half the delay after each press and half after each release.
      xdotool type --delay $((2000 / $1)) "$text"
      finish "keys$1"
      keys=$(add_up "$keys" "$wall_ms $game_ms $x_ms")
      begin "between$1"
      xdotool sleep 1
      finish "between$1"
      between=$(add_up "$between" "$wall_ms $game_ms $x_ms")
    done
    one=$(awk -v k="$keys" -v b="$between" -v n="$count" \
      'BEGIN { split(k, v, " "); split(b, u, " "); printf "%.2f", (v[2] - u[2] * v[1] / u[1]) / n }')
    say "round ${round}: ${one} ms a key"
    key_rounds+="${key_rounds:+, }${one}"
    read -r extra_ms x_extra_ms typing_cpu typing_wall < <(awk -v k="$keys" -v b="$between" \
      -v e="$extra_ms" -v xe="$x_extra_ms" -v c="$typing_cpu" -v tw="$typing_wall" \
      'BEGIN { split(k, v, " "); split(b, u, " ")
        printf "%.1f %.1f %.1f %d\n", e + v[2] - u[2] * v[1] / u[1], xe + v[3] - u[3] * v[1] / u[1],
          c + v[2], tw + v[1] }')
  done
  rate=$(awk -v n="$((count * rounds))" -v w="$typing_wall" 'BEGIN { printf "%.1f", n * 1000 / w }')
  key_ms=$(awk -v e="$extra_ms" -v n="$((count * rounds))" 'BEGIN { printf "%.2f", e / n }')
}
# Adds two lists of numbers "wall game x" place by place.
add_up() { awk -v a="$1" -v b="$2" 'BEGIN { split(a, u, " "); split(b, v, " ")
  printf "%.1f %.1f %.1f\n", u[1] + v[1], u[2] + v[2], u[3] + v[3] }'; }
type_keys 10
slow_rate=$rate slow_key=$key_ms slow_extra=$extra_ms slow_wall=$typing_wall slow_cpu=$typing_cpu
slow_rounds=$key_rounds
type_keys 30
fast_rate=$rate fast_key=$key_ms fast_extra=$extra_ms fast_wall=$typing_wall fast_cpu=$typing_cpu
fast_rounds=$key_rounds
fast_x=$x_extra_ms

xdotool key ctrl+s
sleep 1
observe idle "$seconds"
idle_wall=$wall_ms idle_cpu=$game_ms idle_x=$x_ms
peak=$(peak_mib "$game_pid")

# The same keys, typed once at each rate into the least a Qt window does for
# a key (bench/KeyFloor.cpp): one that shows a count of them, and one that
# repaints nothing (floor_keys --no-paint). What any Qt window's keys cost
# here, to set the game's beside. Sets floor_slow and floor_fast, its cost of
# a key at 10 and at 30 keys a second.
floor_keys() {
  local window
  env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/run" "$build/bench/kanacatch_key_floor" "$@" \
    >/dev/null 2>&1 &
  game_pid=$!
  window=$(xdotool search --sync --onlyvisible --pid "$game_pid" | head -n1)
  xdotool mousemove --window "$window" 100 100 click 1
  rounds=1 type_keys 10 true
  floor_slow=$key_ms
  rounds=1 type_keys 30 true
  floor_fast=$key_ms
  stop_program kill
}

# The keys again on a desktop, with a window manager: Qt then notes the time
# of each key press on a window of its own that no one watches, not on the
# main window, whose change the X server would send back as one more event.
desktop=""
if command -v openbox >/dev/null; then
  say "the keys again under openbox"
  openbox >/dev/null 2>&1 &
  wm_pid=$!
  sleep 2
  alive "$wm_pid" || { echo "openbox did not start" >&2; exit 1; }
  type_keys 10
  desktop_slow_rate=$rate desktop_slow_key=$key_ms desktop_slow_wall=$typing_wall
  desktop_slow_cpu=$typing_cpu desktop_slow_extra=$extra_ms desktop_slow_rounds=$key_rounds
  type_keys 30
  desktop_fast_rate=$rate desktop_fast_key=$key_ms desktop_fast_wall=$typing_wall
  desktop_fast_cpu=$typing_cpu desktop_fast_extra=$extra_ms desktop_fast_x=$x_extra_ms
  desktop_fast_rounds=$key_rounds
  stop_program
  say "the keys of a Qt window under openbox"
  floor_keys
  desktop_floor_painted="$floor_slow / $floor_fast"
  floor_keys --no-paint
  desktop_floor_unpainted="$floor_slow / $floor_fast"
  kill "$wm_pid"
  wait "$wm_pid" 2>/dev/null || true
  wm_pid=""
  desktop=yes
fi
stop_program

say "the keys of a Qt window that shows a count of them, and of one that repaints nothing"
floor_keys
floor_painted="$floor_slow / $floor_fast"
floor_keys --no-paint
floor_unpainted="$floor_slow / $floor_fast"

# --- 3. Step periods, plain and during a flood of keys. ----------------------
launch "$stamping_app"
new_game
observe plain $((seconds / 2))
new_game
say "a flood of keys for ${seconds} s"
chunk=$(printf 'aiueo%.0s' $(seq 100))
flood_keys=0
begin flood
while (($(now_ms) - mark_wall < seconds * 1000)); do
  xdotool type --delay 0 "$chunk"
  flood_keys=$((flood_keys + ${#chunk}))
done
finish flood
flood_wall=$wall_ms flood_cpu=$game_ms
flood_rate=$((flood_keys * 1000 / flood_wall))
# The ctrl+q waits behind the keys not yet handled: the time the program
# takes to end on it is the time it takes to catch up.
stop_program
flood_behind=${quit_ms:+$quit_ms ms}

# --- 3. Scale 2. ----------------------------------------------------------------
start_x 2560x1600
launch "$stamping_app" QT_SCALE_FACTOR=2
new_game
observe scale2 "$seconds" "$build/bench-scale2.png"
scale2_wall=$wall_ms scale2_cpu=$game_ms scale2_x=$x_ms
scale2_peak=$(peak_mib "$game_pid")
stop_program
stop_x

# ================================ The table ===================================
read -r plain_n plain_p50 plain_p99 plain_max < <(periods plain)
read -r flood_n flood_p50 flood_p99 flood_max < <(periods flood)
read -r scale2_n scale2_p50 scale2_p99 scale2_max < <(periods scale2)
echo "Machine: $(nproc) cores, $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo);" \
  "$(date -u '+%Y-%m-%d %H:%M UTC'); load average $load_before at the start," \
  "$(cut -d' ' -f1-3 /proc/loadavg) at the end; $(($(date +%s) - started_at)) s."
echo
echo "| Figure | Wall clock | CPU time or instructions | Goal |"
echo "|---|---|---|---|"
echo "| Animation step, six holes + counter band (median of 5) | | ${step_us} µs | well under 1000 µs |"
echo "| - one hole redrawn with its label | | ${hole_us} µs | |"
echo "| - counter band | | ${band_us} µs | |"
echo "| Animation step, instructions (callgrind) | | ${step_ir} | |"
echo "| Step period p50 / p99 / max, in-process ($(field period_ms n) steps) |" \
  "$(field period_ms p50) / $(field period_ms p99) / $(field period_ms max) ms | | 31–32 / ≤ 34 ms |"
echo "| Step's own time p50 / p99 / max, in-process | $(field step_ms p50) /" \
  "$(field step_ms p99) / $(field step_ms max) ms | | |"
echo "| History: one game written (30 strings, synced), p50 / max | $(field save_ms p50 \
  "$work/history.txt") / $(field save_ms max "$work/history.txt") ms | | |"
echo "| History: handing a game over on the game's thread, max | $(field record_ms max \
  "$work/history.txt") ms | | |"
echo "| Step period p50 / p99, in-process, a game written every 250 ms | $(field period_ms p50 \
  "$work/timing-writes.txt") / $(field period_ms p99 "$work/timing-writes.txt") ms | | as without |"
echo "| 記録: 1,000 games read at start-up (history's thread) | $(field read_ms p50 \
  "$work/record.txt") ms | | |"
echo "| 記録: menu command → window painted, first / p50 / max of later | $(field first_open_ms \
  max "$work/record.txt") / $(field open_ms p50 "$work/record.txt") / $(field open_ms max \
  "$work/record.txt") ms | | ≤ 150 ms |"
echo "| Heap left behind per game: median / largest; games over 4 KiB (of" \
  "$(field game_heap_bytes n "$work/memory.txt") after $(field game_heap_bytes warm_games \
  "$work/memory.txt") to warm up) | $(field game_heap_bytes median \
  "$work/memory.txt") / $(field game_heap_bytes max "$work/memory.txt") bytes; $(field \
  game_heap_bytes over_4KiB "$work/memory.txt") | | median ≤ 512 bytes; at most 2 of 19 over 4 KiB |"
echo "| exec → title window mapped, quickest / median of 5 | $(startup 1 1) / $(startup 1 3) ms | | |"
echo "| exec → title picture painted, quickest / median of 5 | $(startup 2 1) / $(startup 2 3) ms |" \
  "$(startup 4 3) ms (median) | ≤ 100 ms |"
echo "| exec → main loop running, quickest / median of 5 | $(startup 3 1) / $(startup 3 3) ms |" \
  "$(startup 5 3) ms (median) | ≤ 500 ms |"
echo "| CPU while a game runs, program (% of one core) | $(percent "$play_cpu" "$play_wall") % |" \
  "${play_cpu} ms in ${play_wall} ms | ≤ 1.0 % |"
echo "| CPU while a game runs, X server | $(percent "$play_x" "$play_wall") % | ${play_x} ms | |"
echo "| CPU idle, program / X server | $(percent "$idle_cpu" "$idle_wall") % /" \
  "$(percent "$idle_x" "$idle_wall") % | ${idle_cpu} / ${idle_x} ms in ${idle_wall} ms | < 0.5 % |"
echo "| CPU per typed key, ${slow_rate} keys/s (rounds: ${slow_rounds}) | ${slow_key} ms |" \
  "${slow_cpu} ms in ${slow_wall} ms, ${slow_extra} ms over playing | ≤ 0.5 ms |"
echo "| CPU per typed key, ${fast_rate} keys/s (rounds: ${fast_rounds}) | ${fast_key} ms |" \
  "${fast_cpu} ms in ${fast_wall} ms, ${fast_extra} ms over playing | ≤ 0.5 ms |"
echo "| For comparison: CPU per key, 10 / 30 keys/s, of a Qt window that shows a count of" \
  "the keys | ${floor_painted} ms | | |"
echo "| - and of a Qt window that repaints nothing at a key | ${floor_unpainted} ms | | |"
echo "| CPU of the keys at ${fast_rate} keys/s (% of one core), program / X server |" \
  "$(percent "$fast_extra" "$fast_wall") % / $(percent "$fast_x" "$fast_wall") % | | ≤ 3 % |"
if [[ -n $desktop ]]; then
  echo "| With a window manager: CPU per typed key, ${desktop_slow_rate} keys/s (rounds:" \
    "${desktop_slow_rounds}) | ${desktop_slow_key} ms |" \
    "${desktop_slow_cpu} ms in ${desktop_slow_wall} ms, ${desktop_slow_extra} ms over playing | ≤ 0.5 ms |"
  echo "| With a window manager: CPU per typed key, ${desktop_fast_rate} keys/s (rounds:" \
    "${desktop_fast_rounds}) | ${desktop_fast_key} ms |" \
    "${desktop_fast_cpu} ms in ${desktop_fast_wall} ms, ${desktop_fast_extra} ms over playing | ≤ 0.5 ms |"
  echo "| With a window manager: CPU of the keys at ${desktop_fast_rate} keys/s, program / X server |" \
    "$(percent "$desktop_fast_extra" "$desktop_fast_wall") % /" \
    "$(percent "$desktop_fast_x" "$desktop_fast_wall") % | | ≤ 3 % |"
  echo "| With a window manager, for comparison: CPU per key, 10 / 30 keys/s, of a Qt window" \
    "that shows a count of the keys | ${desktop_floor_painted} ms | | |"
  echo "| - and of a Qt window that repaints nothing at a key | ${desktop_floor_unpainted} ms | | |"
else
  echo "| With a window manager: not measured (openbox is not installed) | | | |"
fi
echo "| Peak resident memory (VmHWM) after the game | ${peak} MiB | | ≤ 55 MiB |"
echo "| Step period p50 / p99 / max, program under Xvfb (${plain_n} periods) |" \
  "${plain_p50} / ${plain_p99} / ${plain_max} ms | | 31–32 / ≤ 34 ms |"
echo "| Key flood, ${flood_rate} keys/s for ${seconds} s: step period p50 / p99 / max" \
  "(${flood_n} periods) | ${flood_p50} / ${flood_p99} / ${flood_max} ms |" \
  "program $(percent "$flood_cpu" "$flood_wall") % | p99 ≤ 34 ms |"
echo "| Key flood: the program ends on ctrl+q after it (every key handled) | ${flood_behind:-over 5 s} |" \
  "| |"
echo "| Scale 2: CPU while a game runs, program / X server | $(percent "$scale2_cpu" "$scale2_wall") % /" \
  "$(percent "$scale2_x" "$scale2_wall") % | ${scale2_cpu} / ${scale2_x} ms in ${scale2_wall} ms | ≤ 1.0 % |"
echo "| Scale 2: step period p50 / p99 / max (${scale2_n} periods) | ${scale2_p50} / ${scale2_p99} /" \
  "${scale2_max} ms | | 31–32 / ≤ 34 ms |"
echo "| Scale 2: peak resident memory (VmHWM) | ${scale2_peak} MiB | | ≤ 55 MiB |"
