#!/usr/bin/env bash
# Soak under Wine: Lantern.exe with 1,000 launchers in nested groups, used over and over as a
# user would (bench/SoakDriver.cpp): the launcher menu opened from the icon, down two submenus
# and closed, 2,000 times; the launcher dialog, the group dialog and the version window opened
# and cancelled 200 times each; a launcher's row dragged 100 times, in turn to another place in
# the list and onto a group in the tree. After each half of each activity it samples Lantern's
# memory (Pss of its Linux process, from /proc/PID/smaps_rollup) and its GDI and USER objects,
# and prints what the second half added: the first half allocates caches and warms up. The
# goal is no growth beyond noise: under 1 MB and under 10 objects. The counts can be scaled
# with MENUS, DIALOGS and DRAGS.
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
driver() { wine "$WIN/tests/lantern_driver.exe" "$@" 2>/dev/null | tr -d '\r'; }
# Each run of the driver ends within 20 minutes, whatever happens to it.
soak() { timeout 1200 wine "$WIN/soak_driver.exe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

wine "$WIN/Lantern.exe" >/dev/null 2>&1 &
STARTED=$!
driver wait-resident TLanternMain 60 >/dev/null
sleep 3  # the start's own work (icons, the first scan) is over
PID=$(lantern_prefix_pid Lantern.exe)

# "Pss-KB GDI USER reported-GDI reported-USER", read while no driver runs: a Wine process that
# runs shares Lantern's libraries and lowers its Pss.
sample() {
  sleep 1
  local pss counts
  pss=$(awk '/^Pss:/ { print $2 }' "/proc/$PID/smaps_rollup")
  counts=$(soak counts)
  echo "$pss $(awk '{ print $2, $4, $6, $8 }' <<<"$counts")"
}

START=$(sample)
FAILED=0
printf '%-16s %6s %8s  %-26s %-26s\n' activity times seconds 'first half: Pss GDI USER' \
  'second half: Pss GDI USER'
# activity COUNT [driver arguments...]: two halves, samples before, between and after.
activity() {
  local name=$1 count=$2 half=$(($2 / 2)) a b c t0 t1 out
  shift 2
  a=$(sample)
  t0=$(date +%s)
  out=$(soak "$name" "$half" "$@") || { FAILED=1; echo "  $name, first half: $out"; }
  b=$(sample)
  out=$(soak "$name" $((count - half)) "$@") || { FAILED=1; echo "  $name, second half: $out"; }
  t1=$(date +%s)
  c=$(sample)
  read -r -a A <<<"$a"
  read -r -a B <<<"$b"
  read -r -a C <<<"$c"
  printf '%-16s %6d %8d  %+8d KB %+5d %+5d      %+8d KB %+5d %+5d\n' "$name" "$count" \
    $((t1 - t0)) $((B[0] - A[0])) $((B[1] - A[1])) $((B[2] - A[2])) \
    $((C[0] - B[0])) $((C[1] - B[1])) $((C[2] - B[2]))
  SECOND+=("$name $((C[0] - B[0])) $((C[1] - B[1])) $((C[2] - B[2]))")
}

SECOND=()
activity menu "$MENUS"
activity about "$DIALOGS"
# The window shows (a second start without paths), with its views.
wine "$WIN/Lantern.exe" >/dev/null 2>&1
driver wait-visible TLanternMain 10 >/dev/null
sleep 1
activity group-dialog "$DIALOGS" トップ0
activity launcher-dialog "$DIALOGS"
activity drag "$DRAGS" トップ0 トップ1
END=$(sample)

read -r -a S <<<"$START"
read -r -a E <<<"$END"
echo "Lantern.exe from the first sample to the last: Pss ${S[0]} -> ${E[0]} KB," \
  "GDI objects ${S[1]} -> ${E[1]}, windows ${S[2]} -> ${E[2]}"
if [ "${E[3]}" = 0 ] && [ "${E[4]}" = 0 ]; then
  echo "Wine's GetGuiResources reports 0 GDI and 0 USER objects: GDI objects are counted in the" \
    "process's GDI handle table, USER objects as its windows (menus and icons are not counted)"
fi
GROWN=0
for line in "${SECOND[@]}"; do
  read -r name kb gdi user <<<"$line"
  if ((kb >= 1024 || gdi >= 10 || user >= 10)); then
    echo "GROWTH: $name's second half added $kb KB, $gdi GDI objects, $user windows"
    GROWN=1
  fi
done
[ "$GROWN" = 0 ] && echo "goal met: every second half added under 1 MB and under 10 objects"
[ "$FAILED" = 0 ] || echo "some actions did not happen (see above): the figures cover fewer rounds"
wineboot --end-session >/dev/null 2>&1 || true
wait "$STARTED" 2>/dev/null || true
