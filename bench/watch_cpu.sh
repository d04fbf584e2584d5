#!/usr/bin/env bash
# The watcher's cost under Wine: the CPU time Lantern.exe (and the prefix's wineserver, which
# answers its system calls) spends over 60 seconds while resident, with about 50 processes
# running and 1,000 launchers in the tree, with the watcher on and off. The difference is what
# the scans cost (about 11 of them a minute). BASE=path/to/another/Lantern.exe measures that
# build's scans beside this one's, for a ratio.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$LANTERN_ROOT"
SECONDS_MEASURED=${SECONDS_MEASURED:-60}
NOTEPADS=${NOTEPADS:-36}

lantern_bench_setup
KEY='HKCU\Software\ZR\Lantern'
DRIVE_C="$WINEPREFIX/drive_c"
python3 bench/make_datafile.py 1000 "$DRIVE_C/bench/watch.dat"

NOTEPAD_PIDS=()
for ((i = 0; i < NOTEPADS; i++)); do
  wine 'C:\windows\notepad.exe' >/dev/null 2>&1 &
  NOTEPAD_PIDS+=($!)
done
sleep 10
# The prefix's Windows processes (each is one Linux process with our prefix in its environment).
PROCESSES=0
for p in $(lantern_prefix_pids); do
  { tr '\0' ' ' <"/proc/$p/cmdline"; } 2>/dev/null | grep -qF '.exe' && PROCESSES=$((PROCESSES + 1))
done

# "Lantern-ns wineserver-ns" on the processor over the measured time, for one exe with the watcher on or off.
measure() {
  local exe=$1 watch=$2 pid wpid server a b sa sb
  wine reg add "$KEY" /v UseWatchApp /t REG_DWORD /d "$watch" /f >/dev/null 2>&1
  cp "$DRIVE_C/bench/watch.dat" "$DRIVE_C/bench/data.dat"
  wine "$exe" >/dev/null 2>&1 &
  wpid=$!
  wine "$WIN/tests/lantern_driver.exe" wait-resident TLanternMain 120 >/dev/null 2>&1
  pid=$(lantern_prefix_pid Lantern.exe)
  # The start-up's icons are fetched a few at a time: measure once that is done, when five
  # seconds pass with less than 50 ms of work.
  local last now i
  last=$(lantern_cpu_ns "$pid")
  for ((i = 0; i < 40; i++)); do
    sleep 5
    now=$(lantern_cpu_ns "$pid")
    [ $((now - last)) -lt 50000000 ] && break
    last=$now
  done
  server=$(lantern_prefix_pid wineserver)
  a=$(lantern_cpu_ns "$pid")
  sa=$(lantern_cpu_ns "$server")
  sleep "$SECONDS_MEASURED"
  b=$(lantern_cpu_ns "$pid")
  sb=$(lantern_cpu_ns "$server")
  # Only Lantern ends: the end of the session would end the notepads too.
  wine taskkill /f /im Lantern.exe >/dev/null 2>&1 || true
  wait "$wpid" 2>/dev/null || true
  wine "$WIN/tests/lantern_driver.exe" wait-gone TLanternMain 10 >/dev/null 2>&1 || true
  sleep 3
  echo "$((b - a)) $((sb - sa))"
}

sum() { echo $(( ($(cut -d' ' -f1 <<<"$1") + $(cut -d' ' -f2 <<<"$1")) / 1000000 )); }
show() { echo "$1: Lantern $(($(cut -d' ' -f1 <<<"$2") / 1000000)) ms, wineserver $(($(cut -d' ' -f2 <<<"$2") / 1000000)) ms"; }

echo "processes running: $PROCESSES; $SECONDS_MEASURED s measured"
# The floor is this build with the watcher off, which lists no processes at all; what a build
# spends above it with the watcher on is what its scans cost.
off=$(measure "$WIN/Lantern.exe" 0)
show "this build, watcher off (the floor)" "$off"
on=$(measure "$WIN/Lantern.exe" 1)
show "this build, watcher on" "$on"
this=$(($(sum "$on") - $(sum "$off")))
echo "scans' CPU, this build: $this ms"
if [ -n "${BASE:-}" ]; then
  based=$(measure "$BASE" 1)
  show "base build, watcher on" "$based"
  base=$(($(sum "$based") - $(sum "$off")))
  echo "scans' CPU, base build: $base ms"
  awk -v t="$this" -v b="$base" 'BEGIN { if (t > 0) printf "ratio base / this: %.1f\n", b / t; else print "this build: no cost above the floor" }'
fi
for p in "${NOTEPAD_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
wineserver -k
