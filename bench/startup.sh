#!/usr/bin/env bash
# Start-up under Wine: from starting the program to its resident state (window hidden, icon
# in the notification area), for Lantern.exe with an empty data file and with one of 10,000 launchers, beside a
# minimal Win32 window program of our own. Medians of several runs, and their ratios.
# The three starts take turns (minimal, empty, 10,000, minimal, ...), so that a machine whose load
# changes meanwhile weighs on each alike; each start includes Wine's desktop and notification
# area starting anew, which takes a few hundred milliseconds of its own on a loaded machine:
# give enough runs (RUNS=11 or more).
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$LANTERN_ROOT"
RUNS=${RUNS:-11}

lantern_bench_setup
python3 bench/make_datafile.py 10000 "$WIN/benchprefix/drive_c/bench/large.dat"

# Milliseconds from the start to the resident state.
measure() {
  local class=$1 exe=$2 start end pid
  start=$(date +%s%N)
  wine "$exe" >/dev/null 2>&1 &
  pid=$!
  wine "$WIN/tests/lantern_driver.exe" wait-resident "$class" 120 >/dev/null 2>&1
  end=$(date +%s%N)
  # Ended as Windows ends programs, so that the notification area lets go of the icon; a
  # killed program leaves it behind and slows the next start down.
  wineboot --end-session >/dev/null 2>&1 || true
  wait "$pid" 2>/dev/null || kill "$pid" 2>/dev/null || true
  wine "$WIN/tests/lantern_driver.exe" wait-gone "$class" 10 >/dev/null 2>&1 || true
  # Without a window manager, Wine's notification area takes two seconds to hide its window
  # once the last icon has gone, and holds up the next start meanwhile: let it finish.
  sleep 3
  echo $(((end - start) / 1000000))
}


declare -A RESULTS
for ((i = 0; i < RUNS; i++)); do
  RESULTS[minimal]+="$(measure TMinimalWindow "$WIN/minimal_window.exe") "
  : >"$WIN/benchprefix/drive_c/bench/data.dat"
  RESULTS[empty]+="$(measure TLanternMain "$WIN/Lantern.exe") "
  cp "$WIN/benchprefix/drive_c/bench/large.dat" "$WIN/benchprefix/drive_c/bench/data.dat"
  RESULTS[large]+="$(measure TLanternMain "$WIN/Lantern.exe") "
done
minimal=$(tr ' ' '\n' <<<"${RESULTS[minimal]}" | grep . | median)
empty=$(tr ' ' '\n' <<<"${RESULTS[empty]}" | grep . | median)
large=$(tr ' ' '\n' <<<"${RESULTS[large]}" | grep . | median)
echo "minimal window program:          $minimal ms  (runs: ${RESULTS[minimal]})"
echo "Lantern, empty data file:        $empty ms  (runs: ${RESULTS[empty]})"
echo "Lantern, 10,000 launchers:       $large ms  (runs: ${RESULTS[large]})"
awk -v m="$minimal" -v e="$empty" -v l="$large" -v n="$RUNS" \
    'BEGIN { printf "ratios to the minimal program (%d runs each): empty %.2f (goal 1.2), 10,000 launchers %.2f (goal 2)\n", n, e / m, l / m }'
wineserver -k
