#!/usr/bin/env bash
# Start-up under Wine: from starting the program to its resident state (window hidden, icon
# in the notification area), for Lantern.exe with an empty data file and with one of 10,000 launchers, beside a
# minimal Win32 window program of our own. Medians of several runs, and their ratios.
# The three starts take turns (minimal, empty, 10,000, minimal, ...), so that a machine whose load
# changes meanwhile weighs on each alike: give enough runs (RUNS=11 or more).
# On a real desktop the shell (desktop, task bar, notification area) is always up: a stand-in of
# ours (minimal_window.exe shell: a hidden window and an icon) keeps Wine's desktop process up for
# the whole benchmark, which would otherwise end after every start and begin anew with the next,
# for a few hundred milliseconds that vary with the load. Each start checks that it stayed.
# BASE=other/Lantern.exe times another build's empty start as well, in the same turns.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$LANTERN_ROOT"
RUNS=${RUNS:-11}

lantern_bench_setup
python3 bench/make_datafile.py 10000 "$WIN/benchprefix/drive_c/bench/large.dat"

# The pid of Wine's desktop process, or nothing.
desktop_pid() { lantern_prefix_pid 'explorer.exe /desktop'; }

# Milliseconds from the start to the resident state, as the driver (up before the start)
# measures it.
measure() {
  local class=$1 exe=$2 ms
  # Through a file: the program inherits the driver's output, and would hold a pipe open.
  wine "$WIN/tests/lantern_driver.exe" time-resident "$class" 120 "$(winepath -w "$exe")" \
    >"$WIN/benchprefix/time.txt" 2>/dev/null
  ms=$(tr -d '\r' <"$WIN/benchprefix/time.txt")
  # Ended as Windows ends programs, so that the notification area lets go of the icon (a
  # killed program leaves it behind and slows the next start down); only this one, not the
  # stand-in of the shell.
  driver end-session "$class" 20 >/dev/null || true
  driver wait-gone "$class" 10 >/dev/null || true
  # What the end leaves to do (the notification area redrawn) is over before the next start.
  sleep 3
  echo "$ms"
}

wine "$WIN/minimal_window.exe" shell >/dev/null 2>&1 &
SHELL_PID=$!
driver wait-window TBenchShell 60 >/dev/null
sleep 3  # the desktop and the notification area settle
DESKTOP=$(desktop_pid)
DESKTOP_CHANGES=0
[ -n "$DESKTOP" ] || { echo "Wine's desktop process not found" >&2; exit 1; }

# Counts the starts after which the desktop process was another one (or none).
check_desktop() { [ "$(desktop_pid)" = "$DESKTOP" ] || DESKTOP_CHANGES=$((DESKTOP_CHANGES + 1)); }

declare -A RESULTS
for ((i = 0; i < RUNS; i++)); do
  RESULTS[minimal]+="$(measure TMinimalWindow "$WIN/minimal_window.exe") "
  check_desktop
  : >"$WIN/benchprefix/drive_c/bench/data.dat"
  RESULTS[empty]+="$(measure TLanternMain "$WIN/Lantern.exe") "
  check_desktop
  cp "$WIN/benchprefix/drive_c/bench/large.dat" "$WIN/benchprefix/drive_c/bench/data.dat"
  RESULTS[large]+="$(measure TLanternMain "$WIN/Lantern.exe") "
  check_desktop
  if [ -n "${BASE:-}" ]; then
    : >"$WIN/benchprefix/drive_c/bench/data.dat"
    RESULTS[base]+="$(measure TLanternMain "$BASE") "
    check_desktop
  fi
done
minimal=$(tr ' ' '\n' <<<"${RESULTS[minimal]}" | grep . | median)
empty=$(tr ' ' '\n' <<<"${RESULTS[empty]}" | grep . | median)
large=$(tr ' ' '\n' <<<"${RESULTS[large]}" | grep . | median)
echo "minimal window program:          $minimal ms  (runs: ${RESULTS[minimal]})"
echo "Lantern, empty data file:        $empty ms  (runs: ${RESULTS[empty]})"
echo "Lantern, 10,000 launchers:       $large ms  (runs: ${RESULTS[large]})"
awk -v m="$minimal" -v e="$empty" -v l="$large" -v n="$RUNS" \
    'BEGIN { printf "ratios to the minimal program (%d runs each): empty %.2f (goal 1.2), 10,000 launchers %.2f (goal 2)\n", n, e / m, l / m }'
if [ -n "${BASE:-}" ]; then
  base=$(tr ' ' '\n' <<<"${RESULTS[base]}" | grep . | median)
  echo "$BASE, empty data file: $base ms  (runs: ${RESULTS[base]})"
  awk -v m="$minimal" -v b="$base" -v e="$empty" \
      'BEGIN { printf "that build, empty: %.2f to the minimal program; this build takes %.2f of its time\n", b / m, e / b }'
fi
if [ "$DESKTOP_CHANGES" -eq 0 ]; then
  echo "Wine's desktop process stayed the same throughout (pid $DESKTOP)"
else
  echo "Wine's desktop process was another one after $DESKTOP_CHANGES of the starts: the runs are not comparable"
fi
kill "$SHELL_PID" 2>/dev/null || true
wait "$SHELL_PID" 2>/dev/null || true
wineserver -k
