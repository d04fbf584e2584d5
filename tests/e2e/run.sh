# End-to-end tests: Lantern.exe itself under Wine, driven as a user would drive it, in the
# prefix of the Windows unit tests (made once; they keep nothing there that Lantern reads:
# their settings live in memory or under a key of their own). Sourced by scripts/test with DISPLAY set to a private Xvfb display; adds to
# PASSED and FAILED and saves screenshots under build/e2e/. E2E_ONLY='s_hot_key' (a glob)
# runs only the scenarios whose functions match.

E2E_BUILD="$LANTERN_ROOT/build/win"
E2E_EXE="$E2E_BUILD/Lantern.exe"
E2E_DRIVER="$E2E_BUILD/tests/lantern_driver.exe"
E2E_OUT="$LANTERN_ROOT/build/e2e"
E2E_KEY='HKCU\Software\ZR\Lantern'
E2E_DATA_WIN='C:\lantern-e2e\data.dat'
E2E_PID=""
source "$LANTERN_ROOT/tests/e2e/package.sh"

# E2E_DPI=144 runs them on a screen of that scale, in a prefix of its own, with the
# screenshots under build/e2e/dpi144/.
e2e_prefix() {
  lantern_wine_prefix "$E2E_BUILD/wineprefix"
  if [ -n "${E2E_DPI:-}" ]; then
    wineserver -k >/dev/null 2>&1
    lantern_dpi_prefix "$WINEPREFIX" "$E2E_BUILD/wineprefix$E2E_DPI" "$E2E_DPI"
    E2E_OUT="$LANTERN_ROOT/build/e2e/dpi$E2E_DPI"
  fi
  E2E_DATA="$WINEPREFIX/drive_c/lantern-e2e/data.dat"
  mkdir -p "$WINEPREFIX/drive_c/lantern-e2e" "$E2E_OUT"
  # The watcher never learns what comes with Windows: the program a user starts is a copy of
  # notepad outside the Windows folder.
  cp "$WINEPREFIX/drive_c/windows/notepad.exe" "$WINEPREFIX/drive_c/lantern-e2e/notepad.exe"
}

# A length of 96 DPI on the screen of the run (E2E_DPI), as Lantern scales it.
px() { echo $((($1 * ${E2E_DPI:-96} + 48) / 96)); }

driver() { wine "$E2E_DRIVER" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

reg_add() { wine reg add "$E2E_KEY" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1; }

# "NAME TYPE VALUE" lines of the program's key.
reg_values() { wine reg query "$E2E_KEY" 2>/dev/null | tr -d '\r' | awk 'NF >= 2 && $2 ~ /^REG_/ { v = ""; for (i = 3; i <= NF; i++) v = v (i > 3 ? " " : "") $i; print $1, $2, v }'; }

reg_value() { reg_values | awk -v n="$1" '$1 == n { $1 = ""; $2 = ""; sub(/^  /, ""); print }'; }

fresh_settings() {
  wine reg delete "$E2E_KEY" /f >/dev/null 2>&1
  reg_add DataFileName REG_SZ "$E2E_DATA_WIN"
  rm -f "$E2E_DATA" "$E2E_DATA".*
}

start_lantern() {
  wine "$E2E_EXE" "$@" >>"$E2E_OUT/lantern.log" 2>&1 &
  E2E_PID=$!
}

# Ends the Windows session and waits for the program to end.
end_session() {
  wineboot --end-session >/dev/null 2>&1
  driver wait-gone TLanternMain 15 || return 1
  [ -n "$E2E_PID" ] && wait "$E2E_PID" 2>/dev/null
  E2E_PID=""
  return 0
}

# The window exists hidden before it is first shown; a second later start-up is over.
settle() {
  sleep 1
  setup "Lantern's main window exists" driver wait-window TLanternMain 0
}

screenshot() { import -window root "$E2E_OUT/$1.png" 2>/dev/null; }

expect() {
  # expect DESCRIPTION COMMAND...: one check of a scenario.
  local what=$1
  shift
  if "$@"; then return 0; fi
  echo "    failed: $what"
  E2E_SCENARIO_OK=1
  return 1
}

# setup DESCRIPTION COMMAND...: a step that the checks after it rely on; when it fails, so
# does the scenario, whatever the checks say.
setup() {
  local what=$1
  shift
  if "$@"; then return 0; fi
  echo "    set-up failed: $what"
  E2E_SCENARIO_OK=1
  return 1
}

scenario() {
  # scenario NAME FUNCTION
  [[ "$2" == ${E2E_ONLY:-*} ]] || return 0
  E2E_SCENARIO_OK=0
  "$2"
  if [ "$E2E_SCENARIO_OK" -eq 0 ]; then
    PASSED=$((PASSED + 1))
    echo "  e2e ok: $1"
  else
    FAILED=$((FAILED + 1))
    echo "  e2e FAILED: $1"
  fi
}

# Scenarios whose Lantern would start from the same settings and tree share one: the first
# hands it over (KIND) to the next one (FUNCTION) when all went well and that one is to run,
# and ends it otherwise; the next takes it over, or starts its own with the rest of its
# arguments when there is none to take (run alone, or after a failure).
hand_over() {
  if [ "$E2E_SCENARIO_OK" -eq 0 ] && [[ "$2" == ${E2E_ONLY:-*} ]]; then
    E2E_KEPT=$1
  else
    expect "the program ends" end_session
  fi
}
take_over() {
  local kind=$1
  shift
  if [ "${E2E_KEPT:-}" = "$kind" ]; then
    E2E_KEPT=""
    return 0
  fi
  E2E_KEPT=""
  "$@"
}

# The exe's version text, from the version of its resource script.
expected_release() {
  sed -n 's/^FILEVERSION \([0-9]*\),\([0-9]*\),\([0-9]*\),\([0-9]*\).*/r.\1.\2.\3 Build \4/p' \
    "$LANTERN_ROOT/src/res/Lantern.rc"
}

file_has_line() { tr -d '\r' <"$1" | grep -qxF "$2"; }

# The lines after a "[LAUNCHERURL]" tag are the name and the URL.
url_launcher_saved() { grep -A2 -x '\[LAUNCHERURL\]' <<<"$1" | tr '\n' '|' | grep -qF "|$2|$3|"; }

default_masks_saved() {
  local masks
  masks=$(wine reg query "$E2E_KEY\\Filter" 2>/dev/null | tr -d '\r')
  grep -qE 'Filter0 +REG_SZ +\*\\SETUP\.EXE' <<<"$masks" && grep -qE 'Filter1 +REG_SZ +\*\.DLL' <<<"$masks"
}

s_first_start() {
  fresh_settings
  start_lantern
  expect "the main window exists within 5 s" driver wait-window TLanternMain 5
  settle
  expect "the window is hidden (resident) within 5 s" driver wait-hidden TLanternMain 5
  expect "RELEASE is the exe's version text" [ "$(reg_value RELEASE)" = "$(expected_release)" ]
  local path
  path="$(winepath -w "$E2E_BUILD" 2>/dev/null | tr -d '\r')\\"
  expect "Path is the exe's folder" [ "$(reg_value Path)" = "$path" ]
  expect "RELEASE and Path are strings" [ "$(reg_values | awk '$1 == "RELEASE" || $1 == "Path" { print $2 }' | sort -u)" = "REG_SZ" ]
}

# Nothing in the tree: the menu says so in two rows and offers its two entries;
# スタートメニューから取り込む takes the user's Start Menu (a program, an internet shortcut, a
# shortcut to notepad and one to a program that is gone, in a folder of their own) into the
# group スタートメニュー. The watcher, on, knows the shortcut by its target: notepad started
# from the menu and then from outside counts two starts of the shortcut's launcher (the
# watcher counts a program's start, also one from Lantern), and is not added beside it.
s_empty_menu() {
  local folder="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/ランタン試験"
  local windows
  windows="$(winepath -w "$folder" 2>/dev/null | tr -d '\r')"
  mkdir -p "$folder"
  cp "$E2E_BUILD/tests/record_args.exe" "$folder/記録.exe"
  printf '[InternetShortcut]\r\nURL=http://www.example.jp/\r\n' >"$folder/ページ.url"
  setup "a shortcut to notepad" driver make-shortcut "$windows\\メモ帳.lnk" 'C:\lantern-e2e\notepad.exe'
  setup "a shortcut to a program that is gone" driver make-shortcut "$windows\\消えた.lnk" 'C:\lantern-e2e\消えた.exe'
  fresh_settings
  reg_add WatchAppInterval REG_DWORD 1
  # Wine's explorer shows the notification area only once Lantern's icon is in it, a window
  # after the first start's scan: it is of the Windows folder, and the menu stays empty.
  start_lantern
  driver wait-window TLanternMain 10
  settle
  expect "the icon opens the empty launcher menu" open_icon_menu
  sleep 0.5
  screenshot empty-menu
  crop_menus empty-menu
  expect "with its two hints and its two entries" [ "$(driver menus 1 | head -1 | cut -d' ' -f4)" -gt "$(px 70)" ]
  focus_menu
  xdotool key i
  expect "its entry imports the Start Menu and says how much" \
    grep -q '4 個のランチャを取り込みました' <<<"$(driver message-box 10)"
  screenshot import-message
  driver press-ok
  local data
  data=$(iconv -f CP932 -t UTF-8 "$E2E_DATA" 2>/dev/null | tr -d '\r')
  expect "the tree is saved at once with the group and its launchers" \
    grep -qx 'スタートメニュー' <<<"$data"
  expect "the program stays a program, the URL a URL launcher" \
    [ "$(grep -c -x -e 'C:\\users\\.*\\記録.exe' -e 'http://www.example.jp/' <<<"$data")" = 2 ]
  # A launcher just made counts no start at the scan after it (its program may have been
  # running all along), so a scan passes before notepad starts: scans run every 400 ms, but
  # not while a menu is open, nor for the 2 s that Wine without a window manager waits when
  # the message box goes. The menu: スタートメニュー, ランタン試験, and in it ページ, then
  # メモ帳 (the files in CP932 order).
  sleep 3
  expect "the icon opens the launcher menu" open_icon_menu
  focus_menu
  xdotool sleep 0.3 key Down sleep 0.3 key Right sleep 0.3 key Right sleep 0.5
  expect "the imported group opens down to its folder" [ "$(driver menus 1 | wc -l)" -ge 3 ]
  screenshot start-menu-imported
  crop_menus start-menu-imported
  xdotool key Down Return
  expect "メモ帳 starts notepad" wait_notepad
  sleep 2
  wine taskkill /f /im notepad.exe >/dev/null 2>&1
  sleep 1.5
  expect "the watcher counts that start, saved at once ($(launcher_record メモ帳))" \
    [ "$(launcher_record メモ帳 | cut -d'|' -f3)" = 1 ]
  run_notepad
  rm -rf "$folder"
  expect "the program ends" end_session
  expect "the shortcut's launcher keeps the shortcut and counts two starts ($(launcher_record メモ帳))" \
    [ "$(launcher_record メモ帳)" = "メモ帳|$windows\\メモ帳.lnk|2" ]
  data=$(iconv -f CP932 -t UTF-8 "$E2E_DATA" | tr -d '\r')
  expect "notepad is not added beside it" lacks 'notepad.exe' "$data"
  local order
  order=$(grep -A1 -x '\[LAUNCHER.*\]' <<<"$data" | grep -x -e メモ帳 -e ページ -e 記録 -e 消えた | paste -sd'|')
  expect "and it rose to the top of its group ($order)" [ "$order" = 'メモ帳|ページ|記録|消えた' ]
  expect "the shortcut to a program that is gone is a launcher too" \
    [ "$(launcher_record 消えた | cut -d'|' -f2)" = "$windows\\消えた.lnk" ]
}

s_second_instance() {
  local started ended
  started=$(date +%s%N)
  wine "$E2E_EXE" 'C:\windows\notepad.exe' 'C:\windows\regedit.exe' >>"$E2E_OUT/lantern.log" 2>&1
  ended=$(date +%s%N)
  expect "the second start returns at once" [ $(((ended - started) / 1000000)) -lt 5000 ]
  expect "the first instance shows its window" driver wait-visible TLanternMain 5
  sleep 1
  screenshot main-window
  # Drag the bar between the views 100 pixels to the right (at 96 DPI), as a user would.
  local x y
  read -r x y < <(driver client-origin TLanternMain)
  local step bar=$((x + $(px 178))) y=$((y + $(px 200)))
  for step in "mousemove $bar $y" "mousedown 1" "mousemove $((bar + $(px 50))) $y" \
    "mousemove $((bar + 2 * $(px 50))) $y" "mouseup 1"; do
    xdotool $step
    sleep 0.3
  done
  screenshot main-window-splitter
}

s_url_file() {
  printf '[InternetShortcut]\r\nURL=http://www.example.jp/lantern/\r\n' \
    >"$WINEPREFIX/drive_c/lantern-e2e/ランタンのページ.url"
  wine "$E2E_EXE" 'C:\lantern-e2e\ランタンのページ.url' >>"$E2E_OUT/lantern.log" 2>&1
  expect "the window is shown" driver wait-visible TLanternMain 5
  sleep 1
  screenshot main-window-url
}

s_end_session() {
  expect "the program ends at the end of the session" end_session
  expect "the data file was written" [ -s "$E2E_DATA" ]
  local data
  data=$(iconv -f CP932 -t UTF-8 "$E2E_DATA" | tr -d '\r')
  expect "notepad's launcher was saved" grep -qx 'C:\\windows\\notepad.exe' <<<"$data"
  expect "regedit's launcher was saved" grep -qx 'C:\\windows\\regedit.exe' <<<"$data"
  expect "the URL launcher is named after the file and holds the URL" \
    url_launcher_saved "$data" 'ランタンのページ' 'http://www.example.jp/lantern/'
  local types
  types=$(reg_values)
  local name type
  for name in HotKeyEnabled HotKeyCtrl HotKeyShift HotKeyAlt HotKey UseWatchApp NotWatchNetwortApp \
    WatchAppInterval MoveFirstPosition UpperFirst DispRegisterIcon IconLeftClickPopupMenu FixMenuPos \
    MenuXPos MenuYPos MouseFormEnabled MouseFormOffsetX MouseFormOffsetY MouseAppearInterval \
    MouseFormWidth MouseFormHeight MouseFormColor WavingMouse UchidenoKoduti UchideMovingCount \
    UchideLeftFast UchideRangeX Width Left Height Top TreeViewWidth ColumnWidth0 ColumnWidth1; do
    type=$(awk -v n="$name" '$1 == n { print $2 }' <<<"$types")
    expect "$name is a REG_DWORD" [ "$type" = REG_DWORD ]
  done
  for name in DataFileName ExplorerOption; do
    type=$(awk -v n="$name" '$1 == n { print $2 }' <<<"$types")
    expect "$name is a REG_SZ" [ "$type" = REG_SZ ]
  done
  expect "the tree's width dragged with the splitter is kept" [ "$(reg_value TreeViewWidth)" = 0x115 ]
  expect "BackupDate is 8 bytes of REG_BINARY" [ "$(awk '$1 == "BackupDate" { print $2, length($3) }' <<<"$types")" = "REG_BINARY 16" ]
  expect "the default masks are under Filter" default_masks_saved
}

s_next_start_reads_it_back() {
  cp "$E2E_DATA" "$E2E_OUT/first-session.dat"
  start_lantern
  driver wait-window TLanternMain 10
  settle
  expect "the program is resident again" driver wait-hidden TLanternMain 10
  expect "the program ends again" end_session
  expect "the data file read back is written back the same" cmp -s "$E2E_DATA" "$E2E_OUT/first-session.dat"
}

s_placed_file_round_trip() {
  fresh_settings
  reg_add UseWatchApp REG_DWORD 0
  cp "$LANTERN_ROOT/tests/data/full.dat" "$E2E_DATA"
  start_lantern
  driver wait-window TLanternMain 10
  settle
  expect "the program is resident" driver wait-hidden TLanternMain 10
  wine "$E2E_EXE" >>"$E2E_OUT/lantern.log" 2>&1
  expect "a start without arguments shows the first instance" driver wait-visible TLanternMain 5
  sleep 1
  screenshot main-window-full
  expect "the program ends" end_session
  expect "the placed data file is written back byte for byte" cmp -s "$E2E_DATA" "$LANTERN_ROOT/tests/data/full.dat"
  expect "the old file was kept as the daily backup" cmp -s "$E2E_DATA.bak" "$LANTERN_ROOT/tests/data/full.dat"
}

s_unreadable_data_file() {
  fresh_settings
  reg_add UseWatchApp REG_DWORD 0
  cp "$LANTERN_ROOT/tests/data/bad_count.dat" "$E2E_DATA"
  start_lantern
  local text
  text=$(driver message-box 10)
  expect "an error box appears" [ -n "$text" ]
  expect "it says what is wrong" grep -qF "'abc' は有効な整数値ではありません" <<<"$text"
  expect "it says where the file's bytes are kept" grep -qF 'C:\lantern-e2e\data.dat.bad' <<<"$text"
  screenshot error-box
  expect "the unreadable file's bytes are kept as .bad" cmp -s "$E2E_DATA.bad" "$LANTERN_ROOT/tests/data/bad_count.dat"
  driver press-ok
  expect "the program keeps running" driver wait-hidden TLanternMain 10
  expect "the program ends" end_session
  expect "the .bad copy is still whole after the save" cmp -s "$E2E_DATA.bad" "$LANTERN_ROOT/tests/data/bad_count.dat"
  expect "what was read was saved" file_has_line "$E2E_DATA" "before"
}

# The root record of the test trees, up to its children: the system's menu colours, and a
# colour set and font of their own for URL launchers. UTF-8 with LF, as the writers take it.
data_file_head() {
  local colours='-2147483633
-2147483635
-2147483630
-2147483634'
  local font='9
ＭＳ Ｐゴシック
0'
  printf '[ROOT]\nランタン\n1\n1\n1\n%s\n%s\n' "$colours" "$font"
  printf '0\n%s\n%s\n' "$colours" "$font"   # groups
  printf '0\n%s\n%s\n' "$colours" "$font"   # launchers
  printf '0\n%s\n%s\n' "$colours" "$font"   # folder launchers
  printf '1\n13434828\n32768\n8388608\n16777215\n10\nＭＳ Ｐゴシック\n1\n'  # URL launchers
  printf '[ROOTCOMPOSITE]\n'
}

# A tree for the launcher menu: a group with a nested group, a launcher of the recording test
# program in its own colours, and a URL launcher drawn with the URL kind's colour set.
write_menu_data_file() {
  local colours='-2147483633
-2147483635
-2147483630
-2147483634'
  {
    data_file_head
    printf '[FOLDER]\nツール\n1\n1\n0\n%s\n0\n[FOLDERCOMPOSITE]\n' "$colours"
    printf '[FOLDER]\n設定\n1\n0\n0\n%s\n0\n[FOLDERCOMPOSITE]\n' "$colours"
    printf '[LAUNCHER]\nレジストリ エディタ\nC:\\windows\\regedit.exe\n1\n0\n0\n0\n\n\n%s\n0\n[/LAUNCHER]\n' "$colours"
    printf '[/FOLDER]\n'
    printf '[LAUNCHER]\nメモ帳\nC:\\windows\\notepad.exe\n1\n0\n0\n0\n\n\n%s\n0\n[/LAUNCHER]\n' "$colours"
    printf '[/FOLDER]\n'
    printf '[LAUNCHER]\n記録(&R)\nC:\\lantern-e2e\\record_args.exe\n1\n0\n0\n0\n'
    printf 'alpha "beta gamma"\nC:\\lantern-e2e\\作業\n10092543\n255\n128\n16777215\n1\n[/LAUNCHER]\n'
    printf '[LAUNCHERURL]\nランタンのページ\nhttp://www.example.jp/\n1\n0\n0\n0\n\n\n%s\n0\n[/LAUNCHERURL]\n' "$colours"
    printf '[RECYCLEDFOLDER]\nゴミ入れ\n0\n0\n0\n%s\n0\n[RECYCLEDFOLDERCOMPOSITE]\n[/RECYCLEDFOLDER]\n' "$colours"
    printf '[/ROOT]\n'
  } | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$E2E_DATA"
}

# Crops the first open menu (and any submenu beside it) out of a screenshot.
crop_menus() {
  local name=$1 x1=99999 y1=99999 x2=0 y2=0 x y w h
  while read -r x y w h; do
    ((x < x1)) && x1=$x
    ((y < y1)) && y1=$y
    ((x + w > x2)) && x2=$((x + w))
    ((y + h > y2)) && y2=$((y + h))
  done < <(driver menus 1)
  ((x2 > x1)) && convert "$E2E_OUT/$name.png" -crop "$((x2 - x1 + 8))x$((y2 - y1 + 8))+$((x1 - 4))+$((y1 - 4))" +repage "$E2E_OUT/$name.png" 2>/dev/null
}

# Fresh settings without the watcher, the menu tree, and Lantern started resident; the test
# program that its launcher starts records to C:\lantern-e2e\record.txt.
start_resident_with_menu_tree() {
  fresh_settings
  reg_add UseWatchApp REG_DWORD 0
  write_menu_data_file
  LANTERN_RECORD='C:\lantern-e2e\record.txt' start_lantern
  driver wait-window TLanternMain 10
  settle
}

s_tray_menu() {
  take_over menu-tree start_resident_with_menu_tree
  mkdir -p "$WINEPREFIX/drive_c/lantern-e2e/作業"
  cp "$E2E_BUILD/tests/record_args.exe" "$WINEPREFIX/drive_c/lantern-e2e/"
  local record="$WINEPREFIX/drive_c/lantern-e2e/record.txt"
  rm -f "$record"
  expect "the program is resident" driver wait-hidden TLanternMain 10
  # The notification area shows its window a moment after the icon arrives (later still
  # without a window manager): click until the menu is there, as a user would.
  local try
  for try in 1 2 3 4 5 6 7 8; do
    click_icon
    driver menus 1 >/dev/null && break
  done
  expect "a click on the icon opens the launcher menu" driver menus 1 >/dev/null
  sleep 0.5
  screenshot launcher-menu
  crop_menus launcher-menu
  xdotool key Down
  sleep 0.3
  xdotool key Right
  sleep 0.5
  expect "the group opens its submenu" [ "$(driver menus 2 | wc -l)" -ge 2 ]
  xdotool key Right
  sleep 0.5
  expect "the nested group opens its own" [ "$(driver menus 2 | wc -l)" -ge 3 ]
  screenshot launcher-menu-submenu
  crop_menus launcher-menu-submenu
  xdotool key Left
  sleep 0.3
  xdotool key Left
  sleep 0.3
  xdotool key Down
  sleep 0.5
  screenshot launcher-menu-selected
  crop_menus launcher-menu-selected
  xdotool key Return
  local i
  for i in $(seq 1 50); do [ -s "$record" ] && break; sleep 0.2; done
  expect "choosing the launcher starts the test program" [ -s "$record" ]
  if [ -s "$record" ]; then
    cp "$record" "$E2E_OUT/tray-launch-record.txt"
    expect "in the launcher's working folder" [ "$(sed -n 1p "$record")" = 'C:\lantern-e2e\作業' ]
    expect "with the launcher's parameters" [ "$(sed -n '2,$p' "$record" | tr '\n' '|')" = 'alpha|beta gamma|' ]
  fi
  expect "the menu has closed" [ -z "$(driver menus 0.2)" ]
  # The underlined letter chooses the entry too.
  rm -f "$record"
  driver tray-notify 1 513
  driver menus 5 >/dev/null
  sleep 0.5
  xdotool key r
  for i in $(seq 1 50); do [ -s "$record" ] && break; sleep 0.2; done
  expect "the underlined letter R starts the launcher" [ -s "$record" ]
  # The shell's callback for the right button, as the hot key sends it: the program's menu.
  driver tray-notify 1 516
  expect "the right button's callback opens the program's menu" driver menus 5 >/dev/null
  sleep 0.5
  screenshot system-menu
  crop_menus system-menu
  xdotool key Escape
  sleep 0.5
  hand_over menu-tree s_cancelled_end_of_session
}

# Wine shows the notification area as a window at the top left of the screen without a window
# manager; its icons and its caption grow with the screen's scale.
click_icon() { xdotool mousemove "$(px 12)" "$(px 32)" click 1; }

# Clicks the notification-area icon until a menu is open (the area shows a moment after the
# icon arrives).
open_icon_menu() {
  local try
  for try in $(seq 1 15); do
    click_icon
    driver menus 1 >/dev/null && return 0
  done
  return 1
}

# A launcher whose file is not there, chosen in the launcher menu: an error box names the
# file, and Lantern goes on with its menu.
s_missing_target() {
  fresh_settings
  reg_add UseWatchApp REG_DWORD 0
  { data_file_head; printf '[LAUNCHER]\n消えたツール\nC:\\lantern-e2e\\消えた.exe\n[/LAUNCHER]\n[/ROOT]\n'; } |
    sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$E2E_DATA"
  start_lantern
  driver wait-window TLanternMain 10
  settle
  expect "the icon opens the launcher menu" open_icon_menu
  xdotool sleep 0.5 key Down Return
  local text
  text=$(driver message-box 10)
  expect "an error box names the missing file ($text)" grep -qF 'C:\lantern-e2e\消えた.exe' <<<"$text"
  screenshot missing-target
  driver press-ok
  expect "Lantern stays resident" driver wait-hidden TLanternMain 5
  expect "its icon opens the launcher menu again" open_icon_menu
  xdotool key Escape
  expect "the program ends" end_session
}

menu_open() { driver menus "$1" >/dev/null; }

# Gives Lantern's main window the keyboard focus of the X display, as a window manager does
# for the window in front (there is none under Xvfb).
focus_lantern() {
  setup "Lantern's main window has the keyboard" xdotool search --onlyvisible --name \
    'ランタン for Windows' windowfocus --sync >/dev/null 2>&1
}

# Gives the open menu the keyboard focus of the X display: Windows gives the keys to the menu
# of the program in front, but Wine moves the X focus only to windows that show, and a
# resident Lantern's menus belong to hidden ones.
focus_menu() {
  setup "the open menu has the keyboard" xdotool search --onlyvisible --class lantern.exe \
    windowfocus --sync >/dev/null 2>&1
}

no_edit_box() { ! driver edit-open 0.3; }
no_menu() { [ -z "$(driver menus 0.3)" ]; }

# The lines of the first record whose name line (the line after its tag) is NAME.
record_of() { tr -d '\r' <"$E2E_DATA" | iconv -f CP932 -t UTF-8 | grep -B1 -A4 -x "$1" | tr '\n' '|'; }

s_resident_start_keeps_the_foreground() {
  fresh_settings
  reg_add UseWatchApp REG_DWORD 0
  write_menu_data_file
  driver keep-foreground 8 >"$E2E_OUT/keep-foreground.txt" &
  local watch=$!
  sleep 1.5
  LANTERN_RECORD='C:\lantern-e2e\record.txt' start_lantern
  wait "$watch"
  local rc=$?
  expect "the window in front keeps the foreground and Lantern's never shows ($(cat "$E2E_OUT/keep-foreground.txt"))" [ "$rc" -eq 0 ]
  expect "the program is resident" driver wait-hidden TLanternMain 5
  expect "its icon opens the launcher menu" open_icon_menu
  xdotool key Escape
  hand_over menu-tree s_tray_menu
}

# Fresh settings without the watcher, the data file that WRITER writes, and a start with a
# path, which shows the window.
# Twenty seconds: a clean clone's run once saw this start take longer than ten, on a busy
# machine.
start_shown() {
  fresh_settings
  reg_add UseWatchApp REG_DWORD 0
  "$1"
  start_lantern 'C:\windows\notepad.exe'
  expect "a start with a path shows the window" driver wait-visible TLanternMain 20
  sleep 1
}

s_views_by_keyboard_and_mouse() {
  start_shown write_menu_data_file
  expect "the top group lists five items" [ "$(driver list-count)" = 5 ]
  focus_lantern
  xdotool key F2
  expect "F2 starts renaming the new launcher in the list" driver edit-open 3
  screenshot rename-in-list
  xdotool type --delay 50 renamed
  xdotool key Return
  sleep 0.5
  expect "Enter ends the renaming" no_edit_box
  xdotool key shift+F10
  expect "Shift+F10 opens the list's menu" menu_open 3
  sleep 0.5
  expect "one menu" [ "$(driver menus 0.3 | wc -l)" = 1 ]
  screenshot list-popup
  xdotool key Escape
  sleep 1
  expect "and no second one after it" no_menu
  local x y
  read -r x y < <(driver tree-item-point 1)
  xdotool mousemove "$x" "$y" click 1
  sleep 0.5
  expect "one click on the group in the tree lists its two items" [ "$(driver list-count)" = 2 ]
  sleep 1.5
  expect "and does not start renaming it" no_edit_box
  xdotool key F2
  expect "F2 renames the group in the tree" driver edit-open 3
  xdotool type --delay 50 tools
  xdotool key Return
  sleep 0.5
  xdotool key shift+F10
  expect "Shift+F10 opens the tree's menu" menu_open 3
  sleep 0.5
  expect "one menu" [ "$(driver menus 0.3 | wc -l)" = 1 ]
  screenshot tree-popup
  xdotool key Escape
  sleep 1
  expect "and no second one after it" no_menu
  expect "the program ends" end_session
  expect "the launcher renamed in the list was saved" grep -qF '|renamed|C:\windows\notepad.exe|' <<<"$(record_of renamed)"
  expect "the group renamed in the tree was saved, as the current group" grep -qF '[FOLDER]|tools|1|1|1|' <<<"$(record_of tools)"
}

# A launcher dragged with the mouse from the list onto a group's node in the tree moves there;
# the screenshot shows the drag with the node marked as the drop target.
s_drag_in_views() {
  start_shown write_menu_data_file
  expect "the top group lists five items" [ "$(driver list-count)" = 5 ]
  local x y tx ty step row
  row=$(driver list-texts | grep -nxF '記録(&R)' | cut -d: -f1)
  read -r x y < <(driver list-item-point $((row - 1)))
  read -r tx ty < <(driver tree-item-point 1)
  xdotool mousemove "$x" "$y" mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((x + (tx - x) * step / 8)) $((y + (ty - y) * step / 8))
    sleep 0.1
  done
  sleep 0.5
  screenshot drag-in-progress
  xdotool mouseup 1
  sleep 1
  expect "the launcher left the top group" [ "$(driver list-count)" = 4 ]
  expect "the program ends" end_session
  # ツール holds 設定, メモ帳 and now 記録(&R): its name comes before the end of ツール.
  local lines
  lines=$(tr -d '\r' <"$E2E_DATA" | iconv -f CP932 -t UTF-8 | grep -nx -e '記録(&R)' -e '\[/FOLDER\]' | cut -d: -f2 | paste -sd'|')
  expect "the data file has the launcher at the end of the group ($lines)" [ "$lines" = '[/FOLDER]|記録(&R)|[/FOLDER]' ]
}

# Another program drags data onto the main window through the system's drag loop (DoDragDrop
# in tests/e2e/DragSource.cpp, the pointer placed with xdotool): a file list with a program
# and an internet shortcut file, then a browser's link; each becomes a launcher in the current
# group.
s_drop_from_another_program() {
  start_shown write_editing_data_file
  printf '[InternetShortcut]\r\nURL=http://drop.example.jp/\r\n' \
    >"$WINEPREFIX/drive_c/lantern-e2e/落とした.url"
  local x y out
  read -r x y < <(driver client-origin TLanternMain)
  xdotool mousemove $((x + 400)) $((y + 150))
  out=$(wine "$E2E_BUILD/tests/drag_source.exe" files 'C:\windows\regedit.exe' \
    'C:\lantern-e2e\落とした.url' 2>/dev/null | tr -d '\r')
  expect "the file list is dropped as a link ($out)" [ "$out" = "effect 4" ]
  xdotool mousemove $((x + 400)) $((y + 160))
  out=$(wine "$E2E_BUILD/tests/drag_source.exe" link 'http://link.example.jp/' 'リンク' 2>/dev/null | tr -d '\r')
  expect "the link is dropped as a link ($out)" [ "$out" = "effect 4" ]
  sleep 0.5
  screenshot main-window-dropped
  expect "the list shows the three dropped launchers and notepad" [ "$(driver list-count)" = 5 ]
  expect "the program ends" end_session
  local data
  data=$(iconv -f CP932 -t UTF-8 "$E2E_DATA" | tr -d '\r')
  expect "regedit's launcher was saved" grep -qx 'C:\\windows\\regedit.exe' <<<"$data"
  expect "the shortcut file became a URL launcher named after it" \
    url_launcher_saved "$data" '落とした' 'http://drop.example.jp/'
  expect "the link became a URL launcher named by its descriptor" \
    url_launcher_saved "$data" 'リンク' 'http://link.example.jp/'
}

s_cancelled_end_of_session() {
  take_over menu-tree start_resident_with_menu_tree
  expect "the program is resident" driver wait-hidden TLanternMain 10
  expect "the query of the end of the session is answered yes" [ "$(driver query-end-session)" = 1 ]
  expect "after saving the data file (with its daily backup)" [ -s "$E2E_DATA.bak" ]
  driver cancel-end-session
  sleep 1
  expect "when another program cancels the end, Lantern stays resident" driver wait-hidden TLanternMain 1
  expect "and its icon still opens the launcher menu" open_icon_menu
  xdotool key Escape
  sleep 0.5
  # A save that cannot be made holds the session back rather than losing the tree.
  mkdir -p "$E2E_DATA.tmp"
  expect "a failed save answers no" [ "$(driver query-end-session)" = 0 ]
  driver cancel-end-session
  expect "and Lantern runs on" driver wait-hidden TLanternMain 1
  rmdir "$E2E_DATA.tmp"
  expect "the program ends at the next end of the session" end_session
  expect "with the tree saved" file_has_line "$E2E_DATA" "$(printf '記録(&R)' | iconv -f UTF-8 -t CP932)"
}

s_paths_from_other_folders() {
  fresh_settings
  reg_add UseWatchApp REG_DWORD 0
  start_lantern
  driver wait-window TLanternMain 10
  settle
  local dir="$WINEPREFIX/drive_c/lantern-e2e"
  mkdir -p "$dir/tools" "$dir/한글"
  printf 'MZ' >"$dir/tools/tool.exe"
  printf 'MZ' >"$dir/한글/a.exe"
  (cd "$dir/tools" && wine "$E2E_EXE" tool.exe >>"$E2E_OUT/lantern.log" 2>&1)
  expect "a relative path from another folder shows the window" driver wait-visible TLanternMain 5
  mkdir -p "$dir/run/here"
  printf 'MZ' >"$dir/run/by-run.exe"
  (cd "$dir/run/here" && "$LANTERN_ROOT/scripts/run" ../by-run.exe >>"$E2E_OUT/lantern.log" 2>&1)
  LC_ALL=C.UTF-8 wine "$E2E_EXE" 'C:\lantern-e2e\한글\a.exe' >>"$E2E_OUT/lantern.log" 2>&1 &
  local second=$! text
  text=$(driver message-box 10)
  expect "a path without a CP932 form is reported by the second start" grep -qF 'Shift-JIS で表せない文字' <<<"$text"
  sleep 0.5
  screenshot unusable-path
  driver press-ok
  wait "$second"
  local long="C:\\lantern-e2e\\$(printf 'a%.0s' $(seq 1 280)).exe"
  wine "$E2E_EXE" "$long" >>"$E2E_OUT/lantern.log" 2>&1 &
  second=$!
  text=$(driver message-box 10)
  expect "a path too long to hand over is reported" grep -qF '渡せませんでした' <<<"$text"
  driver press-ok
  wait "$second"
  expect "the program ends" end_session
  expect "the relative path was added with its folder" file_has_line "$E2E_DATA" 'C:\lantern-e2e\tools\tool.exe'
  expect "scripts/run takes a relative path in the caller's folder" file_has_line "$E2E_DATA" 'C:\lantern-e2e\run\by-run.exe'
}

s_deep_data_file() {
  fresh_settings
  reg_add UseWatchApp REG_DWORD 0
  # 80,000 nested groups: the file must neither crash Lantern.exe nor be lost.
  awk 'BEGIN { printf "[ROOT]\r\nlantern\r\n[ROOTCOMPOSITE]\r\n"
    for (i = 0; i < 80000; i++) printf "[FOLDER]\r\ng\r\n[FOLDERCOMPOSITE]\r\n" }' >"$E2E_DATA"
  cp "$E2E_DATA" "$E2E_OUT/deep.dat"
  start_lantern
  local text
  text=$(driver message-box 20)
  expect "a box says how deep groups may nest" grep -qF '100 階層までしか入れ子にできません' <<<"$text"
  expect "and where the file's bytes are kept" grep -qF 'C:\lantern-e2e\data.dat.bad' <<<"$text"
  expect "the file is kept whole as .bad" cmp -s "$E2E_DATA.bad" "$E2E_OUT/deep.dat"
  driver press-ok
  expect "the program keeps running, resident" driver wait-hidden TLanternMain 10
  expect "the program ends" end_session
  expect "what was read is saved" file_has_line "$E2E_DATA" "g"
}

# For the property dialogs: a group with colours of its own stored but not in use, a program
# launcher in its own colours, a folder launcher, a URL launcher and the trash.
write_dialog_data_file() {
  local colours='-2147483633
-2147483635
-2147483630
-2147483634'
  {
    data_file_head
    printf '[FOLDER]\nツール\n1\n1\n0\n13434879\n8388608\n128\n16777215\n0\n[FOLDERCOMPOSITE]\n'
    printf '[LAUNCHER]\nメモ帳\nC:\\windows\\notepad.exe\n1\n0\n0\n0\n\n\n%s\n0\n[/LAUNCHER]\n' "$colours"
    printf '[/FOLDER]\n'
    printf '[LAUNCHER]\n記録(&R)\nC:\\lantern-e2e\\record_args.exe\n1\n0\n0\n0\n'
    printf 'alpha "beta gamma"\nC:\\lantern-e2e\\作業\n10092543\n255\n128\n16777215\n1\n[/LAUNCHER]\n'
    printf '[LAUNCHERFOLDER]\n作業フォルダ\nC:\\lantern-e2e\\作業\\\n1\n0\n /e,\n0\n0\n%s\n0\n[/LAUNCHERFOLDER]\n' "$colours"
    printf '[LAUNCHERURL]\nランタンのページ\nhttp://www.example.jp/\n1\n0\n0\n0\n\n\n%s\n0\n[/LAUNCHERURL]\n' "$colours"
    printf '[RECYCLEDFOLDER]\nゴミ入れ\n0\n0\n0\n%s\n0\n[RECYCLEDFOLDERCOMPOSITE]\n[/RECYCLEDFOLDER]\n' "$colours"
    printf '[/ROOT]\n'
  } | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$E2E_DATA"
  mkdir -p "$WINEPREFIX/drive_c/lantern-e2e/作業"
}

# Saves a screenshot cut down to the client area of the window with the caption.
screenshot_window() {
  local x y w h
  sleep 0.5
  screenshot "$1"
  read -r x y w h < <(driver wait-caption "$2" 1) &&
    convert "$E2E_OUT/$1.png" -crop "${w}x${h}+${x}+${y}" +repage "$E2E_OUT/$1.png" 2>/dev/null
}

# The texts of the visible controls of the window with the caption, one a line.
control_texts() { driver controls "$1" | cut -d' ' -f6-; }

# The screen point of the middle of the control in the window with the caption whose class
# and text are "CLASS TEXT" (driver controls), or just "CLASS" when it has no text.
control_point() {
  driver controls "$1" | awk -v t="$2" '{ x = $1; y = $2; w = $3; h = $4; $1 = $2 = $3 = $4 = ""
    sub(/^ +/, ""); sub(/ +$/, "") } $0 == t { print x + int(w / 2), y + int(h / 2); exit }'
}

click_point() { [ $# -eq 2 ] && xdotool mousemove "$1" "$2" click 1; }

lacks() { ! grep -qF "$1" <<<"$2"; }

# Shows the main window with the dialogs' tree and gives it the keyboard.
start_with_dialog_tree() {
  start_shown write_dialog_data_file
  focus_lantern
}

# Clicks the Nth row of the list and opens its property dialog with Alt+Enter.
open_row_properties() {
  click_point $(driver list-item-point "$1")
  sleep 0.3
  xdotool key alt+Return
  driver wait-caption 'ランチャのプロパティ' 5 >/dev/null
}

# Keys and clicks as a user has them in the dialogs: Tab moves through the fields, Alt with a
# letter reaches a field, Ctrl+Tab or a click on a tab shows its page, and after a dialog
# closes the keys go on in the list.
s_launcher_dialog() {
  local dialog='ランチャのプロパティ'
  take_over dialog-tree start_shown write_dialog_data_file
  focus_lantern
  # The list: ツール, ゴミ入れ, 記録(&R), 作業フォルダ, ランタンのページ, notepad.exe.
  expect "Alt+Enter on a launcher in the list opens the launcher dialog" open_row_properties 2
  expect "with the focus in the name field, which holds the name" \
    [ "$(driver focus "$dialog")" = 'Edit 記録(&R)' ]
  screenshot_window dialog-launcher-basic "$dialog"
  xdotool key Home shift+End
  xdotool type --delay 30 recorder
  xdotool key Tab Tab Tab End
  xdotool type --delay 30 ' delta'
  expect "Tab goes on to the start options" [ "$(driver focus "$dialog")" = 'Edit alpha "beta gamma" delta' ]
  xdotool key Return
  expect "Enter closes the dialog" driver wait-caption-gone "$dialog" 5
  sleep 0.3
  # The list has the keys again: no click before Alt+Enter.
  xdotool key alt+Return
  expect "the dialog opens again from the keyboard" driver wait-caption "$dialog" 5 >/dev/null
  expect "with the name given" [ "$(driver focus "$dialog")" = 'Edit recorder' ]
  xdotool key ctrl+Tab
  sleep 0.3
  expect "Ctrl+Tab shows the colours page" grep -qxF '共通の設定を使う(&C)' <<<"$(control_texts "$dialog")"
  screenshot_window dialog-launcher-colors "$dialog"
  click_point $(driver tab-point "$dialog" 0)
  sleep 0.3
  xdotool key alt+n
  sleep 0.2
  xdotool type --delay 30 cancelled
  expect "Alt+N reaches the name, whose text typing replaces" [ "$(driver focus "$dialog")" = 'Edit cancelled' ]
  xdotool key Escape
  expect "Esc closes the dialog" driver wait-caption-gone "$dialog" 5
  expect "a folder launcher's dialog opens" open_row_properties 3
  local texts
  texts=$(control_texts "$dialog")
  expect "it shows the explorer options" grep -qxF 'エクスプローラオプション' <<<"$texts"
  expect "and no start options" lacks '起動オプション(&O)' "$texts"
  screenshot_window dialog-folder-launcher-basic "$dialog"
  xdotool key Escape
  driver wait-caption-gone "$dialog" 5
  expect "a URL launcher's dialog opens" open_row_properties 4
  expect "it asks for the URL" grep -qxF 'URL(&A)' <<<"$(control_texts "$dialog")"
  screenshot_window dialog-url-launcher-basic "$dialog"
  xdotool key Escape
  expect "the program ends" end_session
  local data
  data=$(tr -d '\r' <"$E2E_DATA" | iconv -f CP932 -t UTF-8)
  expect "OK saved the new name and start option" grep -qF \
    '|[LAUNCHER]|recorder|C:\lantern-e2e\record_args.exe|1|0|0|0|alpha "beta gamma" delta|C:\lantern-e2e\作業|' \
    <<<"|$(tr '\n' '|' <<<"$data")"
  expect "Esc changed nothing" lacks cancelled "$data"
}

s_group_dialog_colors() {
  local dialog='グループのプロパティ' example='e2e 夕焼け'
  start_with_dialog_tree
  rm -f "$E2E_BUILD/Color.dat"
  click_point $(driver tree-item-point 1)
  sleep 0.5
  xdotool key alt+Return
  expect "Alt+Enter on a group in the tree opens the group dialog" driver wait-caption "$dialog" 5 >/dev/null
  expect "with the focus in the name field" [ "$(driver focus "$dialog")" = 'Edit ツール' ]
  screenshot_window dialog-group-basic "$dialog"
  click_point $(driver tab-point "$dialog" 1)
  sleep 0.3
  # The group's own colours are stored but not in use: unticking the box shows them.
  xdotool key alt+c
  sleep 0.3
  xdotool key alt+e
  sleep 0.2
  xdotool type --delay 50 "$example"
  expect "the example's name is typed into the combo" [ "$(driver focus "$dialog")" = "Edit $example" ]
  local point
  point=$(control_point "$dialog" 'Button 例を保存(&R)')
  expect "例を保存 is on the page" [ -n "$point" ]
  click_point $point
  sleep 0.5
  screenshot_window dialog-group-colors "$dialog"
  xdotool key Escape
  expect "Esc closes the dialog" driver wait-caption-gone "$dialog" 5
  expect "the program ends" end_session
  # The group's own colours, as an example: back, font, selected back, selected font.
  expect "Color.dat beside Lantern.exe holds the example, in CP932 with CR LF" cmp -s \
    <(printf '[COLOREXAMPLE]\r\n%s\r\n13434879\r\n128\r\n8388608\r\n16777215\r\n[/COLOREXAMPLE]\r\n' "$example" |
      iconv -f UTF-8 -t CP932) "$E2E_BUILD/Color.dat"
  expect "the group is saved as it was (the click made it the current group)" \
    grep -qF '[FOLDER]|ツール|1|1|1|13434879|8388608|128|16777215|0|' \
    <<<"$(tr -d '\r' <"$E2E_DATA" | iconv -f CP932 -t UTF-8 | grep -B1 -A8 -x ツール | tr '\n' '|')"
}

s_about() {
  local about='バージョン情報'
  start_with_dialog_tree
  xdotool key alt+h
  sleep 0.5
  xdotool key a
  expect "ヘルプ → バージョン情報 opens the version window" driver wait-caption "$about" 5 >/dev/null
  local texts
  texts=$(control_texts "$about")
  expect "it names the program" grep -qxF 'ランタン for Windows' <<<"$texts"
  expect "it shows the exe's version" grep -qxF "$(expected_release)" <<<"$texts"
  screenshot_window about "$about"
  xdotool key Return
  expect "Enter closes it" driver wait-caption-gone "$about" 5
  driver tray-notify 1 516
  expect "the icon's right button opens the program's menu" menu_open 5
  sleep 0.3
  xdotool key a
  expect "バージョン情報 there opens it too" driver wait-caption "$about" 5 >/dev/null
  xdotool key Return
  expect "Enter closes it again" driver wait-caption-gone "$about" 5
  hand_over dialog-tree s_launcher_dialog
}

# A tree with only the trash: what the editing scenario starts from.
write_editing_data_file() {
  local colours='-2147483633
-2147483635
-2147483630
-2147483634'
  {
    data_file_head
    printf '[RECYCLEDFOLDER]\nゴミ入れ\n0\n0\n0\n%s\n0\n[RECYCLEDFOLDERCOMPOSITE]\n[/RECYCLEDFOLDER]\n' "$colours"
    printf '[/ROOT]\n'
  } | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$E2E_DATA"
}

# The list's rows, one line with "|" between them; and a click on the row named NAME.
list_rows() { driver list-texts | paste -sd'|'; }
# Waits up to 3 s for the list to show ROWS (as list_rows writes them).
wait_rows() {
  local i
  for i in $(seq 30); do
    [ "$(list_rows)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
click_row() {
  local i
  i=$(driver list-texts | grep -nxF "$1" | head -1 | cut -d: -f1)
  [ -n "$i" ] && click_point $(driver list-item-point $((i - 1)))
  sleep 0.3
}

# The editing commands as a user meets them, by keys and clicks; the file read back holds
# exactly the tree they made, and the backup the file as it was.
s_editing() {
  fresh_settings
  reg_add UseWatchApp REG_DWORD 0
  write_editing_data_file
  cp "$E2E_DATA" "$E2E_OUT/editing-before.dat"
  start_lantern 'C:\windows\notepad.exe'
  expect "the window shows" driver wait-visible TLanternMain 10
  sleep 1
  focus_lantern
  # The list: ゴミ入れ, notepad.exe.
  xdotool key alt+e g
  expect "a new group is named in place at once" driver edit-open 3
  xdotool type --delay 40 work
  xdotool key Return
  sleep 0.3
  xdotool key alt+e u
  expect "the URL launcher's dialog opens" driver wait-caption 'ランチャのプロパティ' 5 >/dev/null
  xdotool key alt+a
  xdotool type --delay 30 'http://example.jp/'
  expect "the name follows the URL as it is typed" grep -qxF //example.jp/ <<<"$(control_texts 'ランチャのプロパティ')"
  xdotool key alt+n
  xdotool type --delay 30 example
  xdotool key Return
  expect "OK adds it" driver wait-caption-gone 'ランチャのプロパティ' 5
  sleep 0.3
  local rows
  rows=$(list_rows)
  expect "the list holds the new group, above the trash, and launcher ($rows)" [ "$rows" = 'work|ゴミ入れ|notepad.exe|example' ]
  # The new launcher: copied, and pasted into work.
  click_row example
  xdotool key ctrl+c
  click_row work
  xdotool key Return
  expect "Enter opens the group" wait_rows ''
  xdotool key ctrl+v
  expect "the copy is pasted into the group" wait_rows example
  xdotool key BackSpace
  expect "BackSpace goes back up, groups first" wait_rows 'work|ゴミ入れ|notepad.exe|example'
  click_row example
  xdotool key shift+Up
  expect "Shift+Up moves it before notepad.exe" wait_rows 'work|ゴミ入れ|example|notepad.exe'
  click_row notepad.exe
  xdotool key Delete
  expect "Delete moves it to the trash" wait_rows 'work|ゴミ入れ|example'
  click_row example
  xdotool key ctrl+x
  sleep 0.5
  screenshot status-after-cut
  expect "a cut takes it out" wait_rows 'work|ゴミ入れ'
  xdotool key ctrl+v
  expect "the paste puts it back at the end" wait_rows 'work|ゴミ入れ|example'
  click_row ゴミ入れ
  xdotool key Return
  expect "the trash holds notepad.exe" wait_rows notepad.exe
  click_row notepad.exe
  xdotool key Delete
  expect "Delete in the trash asks first" [ -n "$(driver message-box 5)" ]
  screenshot delete-question
  xdotool key y
  expect "Yes deletes it for good" wait_rows ''
  xdotool key BackSpace
  sleep 0.3
  expect "the program ends" end_session
  local colours='-2147483633
-2147483635
-2147483630
-2147483634'
  {
    data_file_head
    printf '[FOLDER]\nwork\n1\n0\n0\n%s\n0\n[FOLDERCOMPOSITE]\n' "$colours"
    printf '[LAUNCHERURL]\nexample\nhttp://example.jp/\n1\n0\n0\n0\n\n\n%s\n0\n[/LAUNCHERURL]\n' "$colours"
    printf '[/FOLDER]\n'
    printf '[RECYCLEDFOLDER]\nゴミ入れ\n0\n0\n0\n%s\n0\n[RECYCLEDFOLDERCOMPOSITE]\n[/RECYCLEDFOLDER]\n' "$colours"
    printf '[LAUNCHERURL]\nexample\nhttp://example.jp/\n1\n0\n0\n0\n\n\n%s\n0\n[/LAUNCHERURL]\n' "$colours"
    printf '[/ROOT]\n'
  } | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$E2E_OUT/editing-expected.dat"
  expect "the data file holds exactly the tree made" cmp -s "$E2E_DATA" "$E2E_OUT/editing-expected.dat"
  expect "the backup holds the file as it was" cmp -s "$E2E_DATA.bak" "$E2E_OUT/editing-before.dat"
}

# Notepad, started as a user would, for a few seconds.
# Starts notepad (the copy outside the Windows folder, or the program $1), lets it run for
# three seconds and ends it.
run_notepad() {
  wine "${1:-C:\lantern-e2e\notepad.exe}" >>"$E2E_OUT/lantern.log" 2>&1 &
  local pid=$!
  sleep 3
  # Ended inside this prefix: the wine process that started it does not take it along.
  wine taskkill /f /im notepad.exe >/dev/null 2>&1
  wait "$pid" 2>/dev/null
  sleep 1.5
}

# The name line, file line and run count of the first launcher record named NAME.
launcher_record() { tr -d '\r' <"$E2E_DATA" | iconv -f CP932 -t UTF-8 | grep -A4 -x "$1" | sed -n '1,2p;5p' | paste -sd'|'; }

# The watcher: a program the user starts becomes a launcher unless a mask excludes it, and a
# known one counts its start and rises to the top of its group's launchers.
s_watcher() {
  fresh_settings
  reg_add WatchAppInterval REG_DWORD 1
  write_editing_data_file
  start_lantern
  driver wait-window TLanternMain 10
  settle
  # A program without a window runs meanwhile: a copy of the driver, waiting for nothing.
  cp "$E2E_DRIVER" "$WINEPREFIX/drive_c/lantern-e2e/quiet.exe"
  wine 'C:\lantern-e2e\quiet.exe' wait-window NoSuchWindow 5 >/dev/null 2>&1 &
  local quiet=$!
  run_notepad 'C:\windows\notepad.exe'
  run_notepad
  wait "$quiet"
  expect "the program ends" end_session
  local path
  path=$(launcher_record notepad | cut -d'|' -f2)
  expect "notepad's copy became a launcher named after it ($(launcher_record notepad))" grep -q '^notepad|C:\\lantern-e2e\\notepad.exe|0$' <<<"$(launcher_record notepad)"
  expect "nothing of the Windows folder did" lacks 'C:\windows\' "$(tr -d '\r' <"$E2E_DATA")"
  # Nor are the driver, the programs through which wine starts others, or Lantern itself.
  local windowless
  windowless=$(tr -d '\r' <"$E2E_DATA" | grep -ixE '.*\\(quiet|lantern_driver|start|Lantern)\.exe')
  expect "no windowless program became a launcher ($windowless)" [ -z "$windowless" ]
  # Excluded by a mask: not added.
  write_editing_data_file
  wine reg add "$E2E_KEY\\Filter" /v Filter0 /t REG_SZ /d '*notepad*' /f >/dev/null 2>&1
  start_lantern
  driver wait-window TLanternMain 10
  settle
  run_notepad
  expect "the program ends" end_session
  expect "the mask *notepad* keeps it out" [ -z "$(launcher_record notepad)" ]
  wine reg delete "$E2E_KEY\\Filter" /f >/dev/null 2>&1
  # Known, second in its group: its start is counted and it moves to the top.
  local colours='-2147483633
-2147483635
-2147483630
-2147483634'
  {
    data_file_head
    printf '[RECYCLEDFOLDER]\nゴミ入れ\n0\n0\n0\n%s\n0\n[RECYCLEDFOLDERCOMPOSITE]\n[/RECYCLEDFOLDER]\n' "$colours"
    printf '[LAUNCHER]\nレジストリ\nC:\\windows\\regedit.exe\n1\n0\n0\n0\n\n\n%s\n0\n[/LAUNCHER]\n' "$colours"
    printf '[LAUNCHER]\nメモ帳\n%s\n1\n0\n0\n0\n\n\n%s\n0\n[/LAUNCHER]\n' "$path" "$colours"
    printf '[/ROOT]\n'
  } | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$E2E_DATA"
  start_lantern
  driver wait-window TLanternMain 10
  settle
  run_notepad
  expect "the program ends" end_session
  expect "メモ帳 counted one start ($(launcher_record メモ帳))" grep -q '|1$' <<<"$(launcher_record メモ帳)"
  # It now stands before レジストリ.
  local order
  order=$(tr -d '\r' <"$E2E_DATA" | iconv -f CP932 -t UTF-8 | grep -A1 -x '\[LAUNCHER\]' | grep -x -e 'メモ帳' -e 'レジストリ' | paste -sd'|')
  expect "and rises above the launcher before it ($order)" [ "$order" = 'メモ帳|レジストリ' ]
}

# Notepad in front with the keyboard, as the program the user is in when reaching for Lantern.
start_notepad_in_front() {
  wine 'C:\windows\notepad.exe' >>"$E2E_OUT/lantern.log" 2>&1 &
  E2E_NOTEPAD=$!
  wait_notepad
  focus_notepad
  sleep 0.2
}

# Waits up to 10 s for notepad's window.
wait_notepad() {
  local i
  for i in $(seq 50); do
    xdotool search --onlyvisible --class notepad.exe >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  return 1
}

stop_notepad() {
  wine taskkill /f /im notepad.exe >/dev/null 2>&1
  wait "$E2E_NOTEPAD" 2>/dev/null
}

# Moves the pointer near (X, Y) a pixel at a time until the chasing window shows 20 pixels
# right of and below it (it stays put for two seconds after it showed, and needs a move to
# show); prints the pointer's position and the window's "x y w h styles".
chase() {
  local i found off
  off=$(px 20)
  for i in $(seq 0 12); do
    xdotool mousemove $(($1 + i)) "$2"
    found=$(driver chasing 0.4 $(($1 + i + off)) $(($2 + off))) && { echo "$(($1 + i)) $2 $found"; return 0; }
  done
  return 1
}

foreground_is() { [ "$(driver foreground)" = "$1" ]; }

# The height of the first open menu: the launcher menu of the menu tree has three entries, the
# program's menu thirteen.
menu_height() { driver menus "$1" | head -1 | cut -d' ' -f4; }

# Crops a square around a point of the last screenshot and enlarges it, for the eye.
crop_around() { convert "$E2E_OUT/$1.png" -crop "80x80+$(($2 - 40))+$(($3 - 40))" +repage -scale 400% "$E2E_OUT/$1-detail.png" 2>/dev/null; }

# Lantern resident with the menu's data file, neither watcher nor chasing window, notepad in
# front.
start_resident_over_notepad() {
  fresh_settings
  reg_add UseWatchApp REG_DWORD 0
  reg_add MouseFormEnabled REG_DWORD 0
  write_menu_data_file
  start_notepad_in_front
  start_lantern
  driver wait-window TLanternMain 10
  settle
  expect "the program is resident" driver wait-hidden TLanternMain 10
}

s_hot_key() {
  start_resident_over_notepad
  xdotool mousemove 500 400
  focus_notepad
  xdotool key shift+Escape
  expect "Shift+Esc in notepad opens the launcher menu" menu_open 5
  expect "the launcher menu, at the pointer" [ "$(driver menus 1 | head -1 | cut -d' ' -f1-2)" = "500 400" ]
  sleep 0.5
  screenshot hot-key-menu
  crop_menus hot-key-menu
  focus_menu
  xdotool key Escape
  sleep 1
  expect "Esc closes it" no_menu
  expect "and notepad is in front again" foreground_is Notepad
  stop_notepad
  expect "the program ends" end_session
}

# The hot key pressed again while the launcher menu is open: the search window there, where
# "memo" typed without the IME finds メモ帳; Esc gives notepad back, and Enter starts notepad.
s_search() {
  start_resident_over_notepad
  xdotool mousemove 500 400
  open_search || return
  xdotool type --delay 80 memo
  sleep 0.5
  screenshot_window search-window 'ランチャを検索'
  xdotool key Escape
  expect "Esc closes it" driver wait-gone TSearchForm 5
  sleep 0.3
  expect "and notepad is in front again" foreground_is Notepad
  open_search || return
  xdotool type --delay 80 memo
  local before i
  before=$(xdotool search --onlyvisible --class notepad.exe | wc -l)
  xdotool key Return
  expect "Enter closes it" driver wait-gone TSearchForm 5
  for i in $(seq 25); do
    [ "$(xdotool search --onlyvisible --class notepad.exe | wc -l)" -gt "$before" ] && break
    sleep 0.2
  done
  expect "and starts notepad" [ "$(xdotool search --onlyvisible --class notepad.exe | wc -l)" -gt "$before" ]
  stop_notepad
  expect "the program ends" end_session
}

# From notepad: the hot key opens the launcher menu, the hot key again the search window, which
# is given the keyboard of the X display.
open_search() {
  focus_notepad
  xdotool key shift+Escape
  setup "the hot key opens the launcher menu" menu_open 5 || return
  focus_menu
  xdotool key shift+Escape
  expect "the hot key again closes the menu" no_menu
  setup "and opens the search window" driver wait-visible TSearchForm 5 || return
  setup "the search window has the keyboard" xdotool search --onlyvisible --name 'ランチャを検索' \
    windowfocus --sync >/dev/null 2>&1
}

# Its first window is a hidden 1x1 one: the keyboard goes to the one that shows.
focus_notepad() {
  setup "notepad has the keyboard" xdotool search --onlyvisible --class notepad.exe \
    windowfocus --sync >/dev/null 2>&1
  sleep 0.3
}

s_chasing_window() {
  fresh_settings
  reg_add UseWatchApp REG_DWORD 0
  write_menu_data_file
  start_notepad_in_front
  start_lantern
  driver wait-window TLanternMain 10
  settle
  expect "the program is resident" driver wait-hidden TLanternMain 10
  sleep 2
  local found x y
  found=$(chase 400 300)
  read -r x y _ <<<"$found"
  local side mid
  side=$(px 15)
  mid=$(($(px 20) + side / 2))
  expect "a mouse move shows the chasing window 20 pixels right of and below the pointer ($found)" \
    grep -q " $side $side " <<<"$found"
  expect "as a tool window (no task bar, no Alt+Tab) above the others, never activated, of no owner" \
    grep -qx '.* tool noactivate topmost' <<<"$found"
  expect "notepad keeps the foreground" foreground_is Notepad
  screenshot chasing-window
  crop_around chasing-window $((x + mid)) $((y + mid))
  xdotool mousemove $((x + mid)) $((y + mid)) click 1
  expect "a left click on it opens the launcher menu" menu_open 5
  expect "the launcher menu ($(menu_height 1) pixels high)" [ "$(menu_height 1)" -lt "$(px 120)" ]
  screenshot chasing-window-menu
  crop_menus chasing-window-menu
  focus_menu
  xdotool key Escape
  sleep 1
  expect "Esc closes it and notepad is in front again" foreground_is Notepad
  found=$(chase 600 500)
  read -r x y _ <<<"$found"
  expect "the next move shows it again" [ -n "$found" ]
  xdotool mousemove $((x + mid)) $((y + mid)) click 3
  expect "a right click on it opens the program's menu" menu_open 5
  expect "the program's menu ($(menu_height 1) pixels high)" [ "$(menu_height 1)" -gt "$(px 150)" ]
  screenshot chasing-window-system-menu
  # The version window stands alone, in front, while the main window stays hidden; closed,
  # it gives notepad the foreground back at once.
  focus_menu
  xdotool key a
  expect "バージョン情報 there opens the version window" driver wait-caption 'バージョン情報' 5 >/dev/null
  expect "in front" foreground_is TAboutForm
  xdotool key Return
  expect "Enter closes it" driver wait-caption-gone 'バージョン情報' 5
  sleep 0.3
  expect "and notepad is in front again" foreground_is Notepad
  stop_notepad
  expect "the program ends" end_session
}

s_gesture() {
  fresh_settings
  reg_add UseWatchApp REG_DWORD 0
  reg_add UchidenoKoduti REG_DWORD 1
  reg_add FixMenuPos REG_DWORD 1
  reg_add MenuXPos REG_DWORD 300
  reg_add MenuYPos REG_DWORD 200
  write_menu_data_file
  start_lantern
  driver wait-window TLanternMain 10
  settle
  expect "the program is resident" driver wait-hidden TLanternMain 10
  sleep 2
  # Left and right by 200 pixels (at 96 DPI), one stroke per 400 ms sample: some sample pair
  # sees a stroke left and then one right.
  local i
  for i in $(seq 8); do
    xdotool mousemove 400 600
    sleep 0.4
    xdotool mousemove $((400 + $(px 200))) 600
    driver menus 0.4 >/dev/null && break
  done
  expect "waving the mouse opens the launcher menu" menu_open 2
  expect "at the fixed position" [ "$(driver menus 1 | head -1 | cut -d' ' -f1-2)" = "300 200" ]
  screenshot gesture-menu
  crop_menus gesture-menu
  xdotool key Escape
  sleep 0.5
  expect "no chasing window meanwhile" [ -z "$(driver chasing 0.3)" ]
  expect "the program ends" end_session
}

# The settings dialog from the icon's menu: a screenshot of each of its seven pages; Ctrl
# added to the hot key on its page and OK write the settings, and the new key opens the
# launcher menu at once while the old one no longer does.
s_settings_dialog() {
  local dialog='ランタンの設定' i
  start_resident_over_notepad
  driver tray-notify 1 516
  setup "the icon's right button opens the program's menu" menu_open 5 || return
  focus_menu
  xdotool key e
  setup "設定 there opens the settings dialog" driver wait-caption "$dialog" 5 >/dev/null || return
  xdotool search --onlyvisible --name "$dialog" windowfocus --sync >/dev/null 2>&1
  for i in 0 1 2 3 4 5 6; do
    click_point $(driver tab-point "$dialog" "$i")
    screenshot_window "dialog-settings-$i" "$dialog"
  done
  click_point $(driver tab-point "$dialog" 3)
  sleep 0.5
  click_point $(control_point "$dialog" 'Button CTRLキー(&C)')
  sleep 0.5
  screenshot_window dialog-settings-ctrl-added "$dialog"
  click_point $(control_point "$dialog" 'Button OK')
  expect "OK closes the dialog" driver wait-caption-gone "$dialog" 5
  local values
  for i in $(seq 30); do
    values=$(reg_values)
    grep -q '^HotKeyCtrl ' <<<"$values" && break
    sleep 0.1
  done
  expect "the hot key is written with Ctrl added ($(grep HotKey <<<"$values" | paste -sd' '))" \
    [ "$(grep -E '^HotKey(Ctrl|Shift|Alt|Enabled)? ' <<<"$values" | sort | paste -sd'|')" = \
    'HotKey REG_DWORD 0x1b|HotKeyAlt REG_DWORD 0x0|HotKeyCtrl REG_DWORD 0x1|HotKeyEnabled REG_DWORD 0x1|HotKeyShift REG_DWORD 0x1' ]
  focus_notepad
  xdotool key ctrl+shift+Escape
  expect "Ctrl+Shift+Esc in notepad opens the launcher menu at once" menu_open 5
  focus_menu
  xdotool key Escape
  sleep 1
  focus_notepad
  xdotool key shift+Escape
  expect "Shift+Esc no longer does" no_menu
  stop_notepad
  expect "the program ends" end_session
}

run_e2e() {
  e2e_prefix
  : >"$E2E_OUT/lantern.log"
  scenario "first start: resident, hidden, RELEASE and Path" s_first_start
  scenario "second start with two files adds them and shows the window" s_second_instance
  scenario "a .url file becomes a URL launcher" s_url_file
  scenario "the end of the session saves the data file and the settings" s_end_session
  scenario "the next start reads the data file back" s_next_start_reads_it_back
  scenario "a placed data file is written back byte for byte" s_placed_file_round_trip
  scenario "an unreadable data file is reported and kept as .bad" s_unreadable_data_file
  scenario "a data file nested 80,000 deep is refused, kept as .bad, and Lantern runs on" s_deep_data_file
  scenario "a launcher whose file is missing, chosen in the menu, says so and Lantern runs on" s_missing_target
  scenario "a resident start leaves the foreground to the window the user is in" s_resident_start_keeps_the_foreground
  scenario "the icon opens the owner-drawn launcher menu and a choice starts the launcher" s_tray_menu
  scenario "a cancelled end of the session leaves Lantern resident; a failed save holds it back" s_cancelled_end_of_session
  scenario "F2, a click in the tree and Shift+F10 in the views" s_views_by_keyboard_and_mouse
  scenario "a launcher dragged from the list onto a group in the tree moves into it" s_drag_in_views
  scenario "files, a shortcut file and a link dropped by another program become launchers" s_drop_from_another_program
  scenario "paths from other folders, without a CP932 form, or too long" s_paths_from_other_folders
  scenario "the version window from the main menu and the icon's menu" s_about
  scenario "the launcher dialog: Alt+Enter, OK saves, Esc does not" s_launcher_dialog
  scenario "the group dialog's colours page saves a colour example to Color.dat" s_group_dialog_colors
  scenario "editing by keys and clicks: group, URL launcher, copy, paste, up, trash, cut" s_editing
  scenario "a program started becomes a launcher, unless a mask says no; a known one rises" s_watcher
  scenario "the hot key pressed in notepad opens the launcher menu and gives notepad back" s_hot_key
  scenario "the chasing window opens the two menus; the version window gives notepad back" s_chasing_window
  scenario "a wave of the mouse opens the launcher menu at the fixed position" s_gesture
  scenario "the settings dialog's seven pages; Ctrl added to the hot key works at once" s_settings_dialog
  scenario "the hot key twice opens the search window; memo and Enter start notepad" s_search
  scenario "an empty tree's menu imports the Start Menu; a shortcut counts its program's starts" s_empty_menu
  scenario "the zip unpacked in a fresh prefix: Lantern.exe runs, its Help and readme, its data file" s_package
  [ -n "$E2E_PID" ] && kill "$E2E_PID" 2>/dev/null
  wineserver -k >/dev/null 2>&1
}
