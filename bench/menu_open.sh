#!/usr/bin/env bash
# Opening the launcher menu under Wine: from the notification area's click message to the menu
# on the screen, with 10,000 launchers in nested groups beside a menu of 20 entries. Medians
# of several openings, and their ratio.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$LANTERN_ROOT"
RUNS=${RUNS:-15}

lantern_bench_setup

# The median of RUNS openings with a data file of COUNT launchers (nested, or "flat").
openings() {
  python3 bench/make_datafile.py "$1" "$WINEPREFIX/drive_c/bench/data.dat" ${2:-}
  wine "$WIN/Lantern.exe" >/dev/null 2>&1 &
  local pid=$! times=() i t
  driver wait-resident TLanternMain 60 >/dev/null
  sleep 2                                    # the icons of a loaded file arrive with the ticks
  driver menu-open-time >/dev/null || true   # the first opening also makes the menu's fonts
  sleep 0.3
  for ((i = 0; i < RUNS; i++)); do
    t=$(driver menu-open-time) && times+=("$t")
    sleep 0.3
  done
  wineboot --end-session >/dev/null 2>&1 || true
  wait "$pid" 2>/dev/null || true
  sleep 3
  printf '%s\n' "${times[@]}" | median
}

small=$(openings 20 flat)
large=$(openings 10000)
echo "menu of 20 entries:                      $small ms"
echo "menu of 10,000 launchers in nested groups: $large ms"
awk -v s="$small" -v l="$large" 'BEGIN { printf "ratio: %.2f (goal 1.5)\n", l / s }'
wineserver -k
