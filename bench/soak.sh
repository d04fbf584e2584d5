#!/usr/bin/env bash
# Soak under Wine: Lantern.exe with 1,000 launchers in nested groups, used over and over as a
# user would (bench/SoakDriver.cpp): the launcher menu opened from the icon, down two submenus
# and closed, 2,000 times; the launcher dialog, the group dialog and the version window opened
# and cancelled 200 times each; a launcher's row dragged 100 times, in turn to another place in
# the list and onto a group in the tree. Before, between and after the two halves of each
# activity it samples Lantern's memory (Pss of its Linux process, from /proc/PID/smaps_rollup,
# with its anonymous part, the heaps: the file-backed rest moves with the page cache) and its
# GDI and USER objects, and prints what each half added: the first half allocates caches and
# warms up. The goal is no growth beyond noise in the second half: under 1 MB and under 10
# objects; a second half that misses it runs once more, to tell a cache that filled late from
# a leak. The counts can be scaled with MENUS, DIALOGS and DRAGS.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$LANTERN_ROOT"
MENUS=${MENUS:-2000}
DIALOGS=${DIALOGS:-200}
DRAGS=${DRAGS:-100}

lantern_bench_setup
python3 bench/make_datafile.py 1000 "$WINEPREFIX/drive_c/bench/data.dat"
# For this run only, in the prefix the benchmarks share: no chasing window (the driver puts
# the pointer where it clicks), and windows that no window manager manages: without one, Wine
# waits two seconds for it at every dialog that closes.
KEY='HKCU\Software\ZR\Lantern'
X11='HKCU\Software\Wine\X11 Driver'
wine reg add "$KEY" /v MouseFormEnabled /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$X11" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
restore() {
  wine reg delete "$KEY" /v MouseFormEnabled /f >/dev/null 2>&1
  wine reg delete "$X11" /v Managed /f >/dev/null 2>&1
  lantern_stop_wine_and_xvfb
}
trap restore EXIT
# Each run of the driver ends within 20 minutes, whatever happens to it.
soak() { timeout 1200 wine "$WIN/soak_driver.exe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

wine "$WIN/Lantern.exe" >/dev/null 2>&1 &
STARTED=$!
driver wait-resident TLanternMain 60 >/dev/null
sleep 3  # the start's own work (icons, the first scan) is over
PID=$(lantern_prefix_pid Lantern.exe)

# "Pss-KB anonymous-KB GDI USER reported-GDI reported-USER", read while no driver runs: a
# Wine process that runs shares Lantern's libraries and lowers its Pss.
sample() {
  sleep 1
  local mem counts
  mem=$(awk '/^Pss:/ { p = $2 } /^Pss_Anon:/ { a = $2 } END { print p, a }' "/proc/$PID/smaps_rollup")
  counts=$(soak counts)
  echo "$mem $(awk '{ print $2, $4, $6, $8 }' <<<"$counts")"
}

# What was added between two samples.
delta() {
  read -r -a X <<<"$1"
  read -r -a Y <<<"$2"
  printf '%+7d KB (%+6d anon) %+4d %+4d' $((Y[0] - X[0])) $((Y[1] - X[1])) $((Y[2] - X[2])) \
    $((Y[3] - X[3]))
}

# Whether what was added between two samples misses the goal: 1 MB, 10 objects.
misses() {
  read -r -a X <<<"$1"
  read -r -a Y <<<"$2"
  ((Y[0] - X[0] >= 1024 || Y[2] - X[2] >= 10 || Y[3] - X[3] >= 10))
}

# The driver's run; its line is shown when an action did not happen.
run() {
  local out
  out=$(soak "$@") || { FAILED=1; echo "  $1 $2: $out" >&2; }
}

START=$(sample)
FAILED=0
GROWN=()
printf '%-16s %5s %5s  %-36s %-36s\n' activity times secs 'first half: Pss (anon) GDI USER' \
  'second half: Pss (anon) GDI USER'
# activity COUNT [driver arguments...]: two halves, with samples before, between and after.
# A second half that misses the goal runs once more: a cache that filled late does not grow
# again, a leak does.
activity() {
  local name=$1 count=$2 half=$(($2 / 2)) a b c d t0 t1
  shift 2
  a=$(sample)
  t0=$(date +%s)
  run "$name" "$half" "$@"
  b=$(sample)
  run "$name" $((count - half)) "$@"
  t1=$(date +%s)
  c=$(sample)
  printf '%-16s %5d %5d  %-36s %-36s\n' "$name" "$count" $((t1 - t0)) "$(delta "$a" "$b")" \
    "$(delta "$b" "$c")"
  misses "$b" "$c" || return 0
  run "$name" $((count - half)) "$@"
  d=$(sample)
  printf '%-16s %5d %5s  %-36s %-36s\n' "  once more" $((count - half)) "" "" "$(delta "$c" "$d")"
  if misses "$c" "$d"; then GROWN+=("$name: $(delta "$c" "$d")"); fi
}

activity menu "$MENUS"
activity about "$DIALOGS"
# The window shows (a second start without paths), with its views.
wine "$WIN/Lantern.exe" >/dev/null 2>&1
driver wait-visible TLanternMain 10 >/dev/null
sleep 3
activity group-dialog "$DIALOGS" トップ0
activity launcher-dialog "$DIALOGS"
activity drag "$DRAGS" トップ0 トップ1
END=$(sample)

read -r -a S <<<"$START"
read -r -a E <<<"$END"
echo "Lantern.exe from the first sample to the last: Pss ${S[0]} -> ${E[0]} KB (anonymous" \
  "${S[1]} -> ${E[1]} KB), GDI objects ${S[2]} -> ${E[2]}, windows ${S[3]} -> ${E[3]}"
if [ "${E[4]}" = 0 ] && [ "${E[5]}" = 0 ]; then
  echo "Wine's GetGuiResources reports 0 GDI and 0 USER objects: GDI objects are counted in the" \
    "process's GDI handle table, USER objects as its windows (menus and icons are not counted)"
fi
if [ ${#GROWN[@]} -eq 0 ]; then
  echo "goal met: no activity went on adding 1 MB or 10 objects after its first half"
else
  printf 'GROWTH: %s\n' "${GROWN[@]}"
fi
[ "$FAILED" = 0 ] || echo "some actions did not happen (see above): the figures cover fewer rounds"
wineboot --end-session >/dev/null 2>&1 || true
wait "$STARTED" 2>/dev/null || true
