# The package as a user takes it: scripts/package's zip unpacked into the user's own programs'
# folder of a Wine prefix of its own (a fresh copy of the scenarios' prefix, without Lantern's
# settings) and Lantern.exe started from there. Sourced by run.sh, which it relies on.

s_package() {
  local version zip base=$WINEPREFIX prefix="$E2E_BUILD/packageprefix" user appdata folder
  version=$(sed -n 's/^FILEVERSION \([0-9]*\),\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1.\2.\3.\4/p' \
    "$LANTERN_ROOT/src/res/Lantern.rc")
  zip="$LANTERN_ROOT/build/Lantern-$version.zip"
  rm -f "$zip"
  "$LANTERN_ROOT/scripts/package" >"$E2E_OUT/package.log" 2>&1
  setup "scripts/package makes build/Lantern-$version.zip" [ -f "$zip" ] || return
  rm -rf "$prefix"
  setup "a copy of the prefix" cp -a "$base" "$prefix" || return
  export WINEPREFIX=$prefix
  wine reg delete "$E2E_KEY" /f >/dev/null 2>&1
  user=$(wine cmd /c echo %USERNAME% 2>/dev/null | tr -d '\r')
  appdata=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
  if [ -n "$user" ] && [[ $appdata == [A-Za-z]:\\* ]]; then
    folder=$(winepath -u "$appdata\\Programs\\Lantern" 2>/dev/null | tr -d '\r')
  fi
  # The copy may hold a folder that another run made there.
  [ -z "$folder" ] || rm -rf "$folder"
  if setup "Wine names the user and the user's programs' folder" [ -n "$folder" ] &&
    setup "the zip unpacks there" unzip -q "$zip" -d "$folder"; then
    expect "Help\\ beside Lantern.exe holds the help pages and their images" \
      diff -r "$LANTERN_ROOT/help" "$folder/Help"
    expect "readme.txt decoded as CP932 is packaging/readme.txt with the version" \
      [ "$(iconv -f CP932 -t UTF-8 "$folder/readme.txt" | tr -d '\r')" = \
      "$(sed "s/@VERSION@/$version/g" "$LANTERN_ROOT/packaging/readme.txt")" ]
    expect "every line of readme.txt ends in CR LF" \
      [ "$(LC_ALL=C grep -ac $'\r$' "$folder/readme.txt")" -eq "$(wc -l <"$folder/readme.txt")" ]
    expect "the last one too" [ "$(tail -c 2 "$folder/readme.txt" | od -An -tx1 | tr -d ' ')" = 0d0a ]
    (cd "$folder" && exec wine Lantern.exe >>"$E2E_OUT/lantern.log" 2>&1) &
    E2E_PID=$!
    expect "Lantern.exe started from there becomes resident" driver wait-resident TLanternMain 10
    settle
    expect "the program ends at the end of the session" end_session
    expect "the data file $user.dat is made beside Lantern.exe" [ -s "$folder/$user.dat" ]
  fi
  wineserver -k >/dev/null 2>&1
  [ -z "$E2E_PID" ] || wait "$E2E_PID" 2>/dev/null
  E2E_PID=""
  export WINEPREFIX=$base
  # A failed run's prefix stays for a look.
  [ "$E2E_SCENARIO_OK" -ne 0 ] || rm -rf "$prefix"
}
