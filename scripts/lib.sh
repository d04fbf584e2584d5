# Shared by scripts/test and scripts/run: installing what is missing, building, Wine and Xvfb.
# Sourced, not run.

LANTERN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
LANTERN_PACKAGES=(cmake make g++ libgtest-dev googletest libbenchmark-dev zip unzip
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 xvfb xauth
  fonts-ipafont-gothic xdotool imagemagick clang libclang-rt-14-dev)

# Installs the Debian packages that are not there yet (apt-get update once, only then).
lantern_install() {
  local missing=() p
  for p in "${LANTERN_PACKAGES[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
}

# Native build (tests under AddressSanitizer and UndefinedBehaviorSanitizer).
lantern_build_native() {
  cmake -S "$LANTERN_ROOT" -B "$LANTERN_ROOT/build/native" -DCMAKE_BUILD_TYPE=Debug \
    -DLANTERN_SANITIZE=ON >/dev/null
  cmake --build "$LANTERN_ROOT/build/native" -j2
}

# Windows build with mingw-w64.
lantern_build_windows() {
  cmake -S "$LANTERN_ROOT" -B "$LANTERN_ROOT/build/win" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$LANTERN_ROOT/cmake/mingw-w64.cmake" >/dev/null
  cmake --build "$LANTERN_ROOT/build/win" -j2
}

# A Wine prefix of our own ($1), made once, with Japanese fonts for the UI fonts.
lantern_wine_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    local f
    for f in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "MS UI Gothic" "ＭＳ Ｐゴシック" "ＭＳ ゴシック"; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$f" /t REG_SZ /d IPAPGothic /f \
        >/dev/null 2>&1 || true
    done
    wineserver -w
  fi
}

# A copy ($2) of the prefix $1 whose screen is at $3 DPI (LogPixels), made once; then used.
lantern_dpi_prefix() {
  if [ ! -f "$2/system.reg" ]; then
    cp -a "$1" "$2" || return 1
    export WINEPREFIX=$2
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$3" /f >/dev/null 2>&1
    wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$3" /f >/dev/null 2>&1
    wineserver -w
  fi
  export WINEPREFIX=$2
}

# A private X display; sets DISPLAY and LANTERN_XVFB_PID.
lantern_start_xvfb() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  LANTERN_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# Ends our own Wine prefix's processes and our own Xvfb, nothing else.
lantern_stop_wine_and_xvfb() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "${LANTERN_XVFB_PID:-}" ]; then
    kill "$LANTERN_XVFB_PID" 2>/dev/null || true
    wait "$LANTERN_XVFB_PID" 2>/dev/null || true
    LANTERN_XVFB_PID=""
  fi
}

# What the benchmarks under Wine share: a built Lantern.exe ($WIN), a prefix of their own with
# a display, a wineserver that stays up between the runs (as it does on a desktop), and
# settings that make the runs alike: no watcher, the data file C:\bench\data.dat.
lantern_bench_setup() {
  lantern_install
  lantern_build_windows >/dev/null
  WIN="$LANTERN_ROOT/build/win"
  trap lantern_stop_wine_and_xvfb EXIT
  lantern_wine_prefix "$WIN/benchprefix"
  [ -n "${DISPLAY:-}" ] || lantern_start_xvfb
  wineserver -p
  mkdir -p "$WINEPREFIX/drive_c/bench"
  local key='HKCU\Software\ZR\Lantern'
  wine reg add "$key" /v UseWatchApp /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$key" /v DataFileName /t REG_SZ /d 'C:\bench\data.dat' /f >/dev/null 2>&1
}

# What the benchmarks under Wine use after lantern_bench_setup: the end-to-end driver, and the
# median of numbers given one a line or separated by spaces.
driver() { wine "$WIN/tests/lantern_driver.exe" "$@" 2>/dev/null | tr -d '\r'; }
median() { tr ' ' '\n' | grep . | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

# The Linux processes of this Wine prefix, oldest first (other prefixes may run beside it).
lantern_prefix_pids() {
  local pid
  for pid in $(ls /proc | grep -E '^[0-9]+$' | sort -n); do
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
  return 0
}

# The oldest process of this prefix whose command line names $1 (Lantern.exe, wineserver): a
# wine command may start a second server for a moment, which finds the first and ends.
lantern_prefix_pid() {
  local pid
  for pid in $(lantern_prefix_pids); do
    if { tr '\0' ' ' <"/proc/$pid/cmdline"; } 2>/dev/null | grep -qF "$1"; then
      echo "$pid"
      return 0
    fi
  done
  return 0
}

# Nanoseconds on the processor of every thread of a process; 0 for none.
lantern_cpu_ns() {
  if [ -z "${1:-}" ]; then echo 0; return; fi
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f\n", s }'
}
