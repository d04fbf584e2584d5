#!/usr/bin/env bash
# Opening the search window under Wine beside opening the launcher menu, over 10,000 launchers
# in nested groups: the hot key opens the menu, the hot key again the search window in its
# place. Medians of several openings, and their ratio.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$LANTERN_ROOT"
RUNS=${RUNS:-15}

lantern_bench_setup
driver() { wine "$WIN/tests/lantern_driver.exe" "$@" 2>/dev/null | tr -d '\r'; }
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

python3 bench/make_datafile.py 10000 "$WINEPREFIX/drive_c/bench/data.dat"
wine "$WIN/Lantern.exe" >/dev/null 2>&1 &
pid=$!
driver wait-resident TLanternMain 60 >/dev/null
sleep 2                                  # the icons of a loaded file arrive with the ticks
driver search-open-time >/dev/null || true  # the first opening also makes the fonts and the index
sleep 0.3
menus=() searches=()
for ((i = 0; i < RUNS; i++)); do
  if t=$(driver search-open-time); then
    menus+=("${t% *}")
    searches+=("${t#* }")
  fi
  sleep 0.3
done
wineboot --end-session >/dev/null 2>&1 || true
wait "$pid" 2>/dev/null || true
menu=$(printf '%s\n' "${menus[@]}" | median)
search=$(printf '%s\n' "${searches[@]}" | median)
echo "launcher menu, 10,000 launchers:  $menu ms"
echo "search window in its place:       $search ms"
awk -v m="$menu" -v s="$search" 'BEGIN { printf "ratio: %.2f (goal at most 1.5)\n", s / m }'
wineserver -k
