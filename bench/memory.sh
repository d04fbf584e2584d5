#!/usr/bin/env bash
# Resident memory under Wine: the Pss of Lantern.exe's Linux process (from
# /proc/PID/smaps_rollup, with its anonymous part: the heaps) once the start's work is over and
# it idles, with an empty data file and with 10,000 launchers in nested groups, beside the
# minimal Win32 program of our own. Idle means that the process has used under 20 ms of
# processor time in each of three seconds in a row: by then the icons of the launchers have
# been fetched. Medians of RUNS runs; the growth is what the 10,000 launchers add to the empty
# file. DATAFILE=path measures that data file instead of the generated one; CASES="empty large"
# leaves the minimal program out. Not a test: nothing here passes or fails.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$LANTERN_ROOT"
RUNS=${RUNS:-3}
LAUNCHERS=${LAUNCHERS:-10000}

lantern_bench_setup
CASES=${CASES:-minimal empty large}
if [ -n "${DATAFILE:-}" ]; then
  cp "$DATAFILE" "$WINEPREFIX/drive_c/bench/large.dat"
else
  python3 bench/make_datafile.py "$LAUNCHERS" "$WINEPREFIX/drive_c/bench/large.dat"
fi

# Waits until the process idles (at most two minutes).
settle() {
  local pid=$1 quiet=0 a b i
  a=$(lantern_cpu_ns "$pid")
  for ((i = 0; i < 120 && quiet < 3; i++)); do
    sleep 1
    b=$(lantern_cpu_ns "$pid")
    if ((b - a < 20000000)); then quiet=$((quiet + 1)); else quiet=0; fi
    a=$b
  done
}

# "Pss-KB anonymous-KB" of the program once it idles.
measure() {
  local class=$1 exe=$2 started pid mem
  wine "$exe" >/dev/null 2>&1 &
  started=$!
  driver wait-resident "$class" 120 >/dev/null
  pid=$(lantern_prefix_pid "$(basename "$exe")")
  settle "$pid"
  # Read while no other Wine program runs: one that did would share the libraries and
  # lower the Pss.
  mem=$(awk '/^Pss:/ { p = $2 } /^Pss_Anon:/ { a = $2 } END { print p, a }' \
    "/proc/$pid/smaps_rollup")
  wineboot --end-session >/dev/null 2>&1 || true
  wait "$started" 2>/dev/null || true
  driver wait-gone "$class" 10 >/dev/null || true
  sleep 3  # the notification area lets go of its window
  echo "$mem"
}


declare -A PSS ANON
for ((i = 0; i < RUNS; i++)); do
  for case in $CASES; do
    case $case in
      minimal) read -r p a < <(measure TMinimalWindow "$WIN/minimal_window.exe") ;;
      empty)
        : >"$WINEPREFIX/drive_c/bench/data.dat"
        read -r p a < <(measure TLanternMain "$WIN/Lantern.exe")
        ;;
      large)
        cp "$WINEPREFIX/drive_c/bench/large.dat" "$WINEPREFIX/drive_c/bench/data.dat"
        read -r p a < <(measure TLanternMain "$WIN/Lantern.exe")
        ;;
    esac
    PSS[$case]+="$p "
    ANON[$case]+="$a "
  done
done
mb() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
for case in $CASES; do
  p=$(median <<<"${PSS[$case]}")
  a=$(median <<<"${ANON[$case]}")
  case $case in
    minimal) label="minimal window program" ;;
    empty) label="Lantern, empty data file" ;;
    large) label="Lantern, ${DATAFILE:-$LAUNCHERS launchers}" ;;
  esac
  printf '%-30s Pss %5s MB (anonymous %5s MB)  runs: %s\n' "$label:" "$(mb "$p")" "$(mb "$a")" \
    "${PSS[$case]}"
done
e=$(median <<<"${PSS[empty]}")
l=$(median <<<"${PSS[large]}")
echo "growth with $LAUNCHERS launchers: $(mb $((l - e))) MB (goal: at most 3 MB)"
wineserver -k
