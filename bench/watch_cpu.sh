#!/usr/bin/env bash
# The watcher's cost under Wine: the CPU time Lantern.exe (and the prefix's wineserver, which
# answers its system calls) spends over 60 seconds while resident, with about 50 processes
# running and 1,000 launchers in the tree, with the watcher on and off. The difference is what
# the scans cost (about 11 of them a minute). BASE=path/to/another/Lantern.exe measures that
# build beside this one, for a ratio.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$LANTERN_ROOT"
SECONDS_MEASURED=${SECONDS_MEASURED:-60}
NOTEPADS=${NOTEPADS:-36}

lantern_bench_setup
KEY='HKCU\Software\ZR\Lantern'
DRIVE_C="$WINEPREFIX/drive_c"
python3 bench/make_datafile.py 1000 "$DRIVE_C/bench/watch.dat"

# Clock ticks (user + system) of a process.
ticks() {
  if [ -n "$1" ] && [ -r "/proc/$1/stat" ]; then awk '{ print $14 + $15 }' "/proc/$1/stat"; else echo 0; fi
}

# The process of this prefix with the given name (wineserver64, Lantern.exe): the one whose
# environment names our prefix.
prefix_pid() {
  local p
  for p in $(pgrep -x "$1"); do
    if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$p"
      return
    fi
  done
}

NOTEPAD_PIDS=()
for ((i = 0; i < NOTEPADS; i++)); do
  wine 'C:\windows\notepad.exe' >/dev/null 2>&1 &
  NOTEPAD_PIDS+=($!)
done
sleep 10
# The prefix's Windows processes (each is one Linux process with our prefix in its environment).
PROCESSES=0
for p in $(pgrep '\.exe$'); do
  tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && PROCESSES=$((PROCESSES + 1))
done

# "lantern-ticks wineserver-ticks" over the measured time, for one exe with the watcher on or off.
measure() {
  local exe=$1 watch=$2 pid wpid server a b sa sb
  wine reg add "$KEY" /v UseWatchApp /t REG_DWORD /d "$watch" /f >/dev/null 2>&1
  cp "$DRIVE_C/bench/watch.dat" "$DRIVE_C/bench/data.dat"
  wine "$exe" >/dev/null 2>&1 &
  wpid=$!
  wine "$WIN/tests/lantern_driver.exe" wait-resident TLanternMain 120 >/dev/null 2>&1
  pid=$(prefix_pid Lantern.exe)
  # The start-up's icons are fetched a few at a time: measure once that is done, when five
  # seconds pass with less than 50 ms of work.
  local last now i
  last=$(ticks "$pid")
  for ((i = 0; i < 40; i++)); do
    sleep 5
    now=$(ticks "$pid")
    [ $((now - last)) -lt 5 ] && break
    last=$now
  done
  server=$(prefix_pid wineserver64)
  a=$(ticks "$pid")
  sa=$(ticks "$server")
  sleep "$SECONDS_MEASURED"
  b=$(ticks "$pid")
  sb=$(ticks "$server")
  wineboot --end-session >/dev/null 2>&1 || true
  wait "$wpid" 2>/dev/null || true
  wine "$WIN/tests/lantern_driver.exe" wait-gone TLanternMain 10 >/dev/null 2>&1 || true
  sleep 3
  echo "$((b - a)) $((sb - sa))"
}

report() {
  local name=$1 exe=$2 on off
  on=$(measure "$exe" 1)
  off=$(measure "$exe" 0)
  echo "$name: watcher on: Lantern $(cut -d' ' -f1 <<<"$on")0 ms, wineserver $(cut -d' ' -f2 <<<"$on")0 ms;" \
       "off: Lantern $(cut -d' ' -f1 <<<"$off")0 ms, wineserver $(cut -d' ' -f2 <<<"$off")0 ms" >&2
  # The scans' cost: Lantern and wineserver together, on minus off, in ms.
  echo $(( ($(cut -d' ' -f1 <<<"$on") + $(cut -d' ' -f2 <<<"$on") - $(cut -d' ' -f1 <<<"$off") - $(cut -d' ' -f2 <<<"$off")) * 10 ))
}

echo "processes running: $PROCESSES; $SECONDS_MEASURED s measured"
this=$(report "this build" "$WIN/Lantern.exe")
echo "scans' CPU over the minute, this build: $this ms"
if [ -n "${BASE:-}" ]; then
  base=$(report "base build" "$BASE")
  echo "scans' CPU over the minute, base build: $base ms"
  awk -v t="$this" -v b="$base" 'BEGIN { if (t > 0) printf "ratio base / this: %.1f\n", b / t; else print "this build: below the clock tick" }'
fi
for p in "${NOTEPAD_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
wineserver -k
