#!/usr/bin/env bash
# The idle cost of the resident program under Wine: the processor time Lantern.exe uses over
# 60 seconds while nobody touches it, with the chasing window on (the default), with the
# waving gesture on, and with both off, each beside a minimal Win32 program of our own with a
# 200 ms timer. The time is the sum of the process's threads' run times (schedstat, in
# nanoseconds) between two readings, after the start has settled; Wine's server is shown too.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$LANTERN_ROOT"
SECONDS_IDLE=${SECONDS_IDLE:-60}
RUNS=${RUNS:-1}

lantern_bench_setup
python3 bench/make_datafile.py 20 "$WINEPREFIX/drive_c/bench/data.dat" flat
KEY='HKCU\Software\ZR\Lantern'

# "program server" milliseconds of processor time over the idle period.
measure() {
  local class=$1 exe=$2
  shift 2
  wine "$exe" "$@" >/dev/null 2>&1 &
  local started=$!
  driver wait-resident "$class" 60 >/dev/null
  sleep 5  # the start's own work (icons, the first scan) is over
  local pid server a b sa sb
  pid=$(lantern_prefix_pid "$(basename "$exe")")
  server=$(lantern_prefix_pid wineserver)
  a=$(lantern_cpu_ns "$pid")
  sa=$(lantern_cpu_ns "$server")
  sleep "$SECONDS_IDLE"
  b=$(lantern_cpu_ns "$pid")
  sb=$(lantern_cpu_ns "$server")
  wineboot --end-session >/dev/null 2>&1 || true
  wait "$started" 2>/dev/null || true
  driver wait-gone "$class" 10 >/dev/null || true
  sleep 3
  echo "$(((b - a) / 1000000)) $(((sb - sa) / 1000000))"
}

mode() {
  wine reg add "$KEY" /v MouseFormEnabled /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add "$KEY" /v UchidenoKoduti /t REG_DWORD /d "$2" /f >/dev/null 2>&1
}

xdotool mousemove 640 500 2>/dev/null || true  # the pointer rests, away from everything
declare -A PROGRAM SERVER
for ((i = 0; i < RUNS; i++)); do
  for case in minimal chasing gesture off; do
    case $case in
      minimal) read -r p s < <(measure TMinimalWindow "$WIN/minimal_window.exe" timer) ;;
      chasing) mode 1 0; read -r p s < <(measure TLanternMain "$WIN/Lantern.exe") ;;
      gesture) mode 0 1; read -r p s < <(measure TLanternMain "$WIN/Lantern.exe") ;;
      off) mode 0 0; read -r p s < <(measure TLanternMain "$WIN/Lantern.exe") ;;
    esac
    PROGRAM[$case]+="$p "
    SERVER[$case]+="$s "
  done
done
m=$(median <<<"${PROGRAM[minimal]}")
echo "processor time over $SECONDS_IDLE s idle (ms; Wine's server in brackets):"
for case in minimal chasing gesture off; do
  p=$(median <<<"${PROGRAM[$case]}")
  s=$(median <<<"${SERVER[$case]}")
  awk -v c="$case" -v p="$p" -v s="$s" -v m="$m" \
    'BEGIN { printf "  %-8s %6d ms  [%5d ms]  ratio to minimal %.2f (goal 1.5)\n", c, p, s, (m > 0 ? p / m : 0) }'
done
wineserver -k
