#!/usr/bin/env bash
# Checks the Windows packages as a user meets them, each in an empty Wine prefix with no
# Qt on Wine's path: the zip unpacked, then the setup, installed with /S and through its
# pages. Each time the program starts, takes the four names typed into the form, puts on the
# clipboard at "Générer !" exactly the text the test suite got from a fresh form with them
# (fresh-form.cfg in the build folder), closes with status 0 and, started from a folder
# without Logo.ico, still shows its icon. Installed, it opens at the display scale of a
# laptop (100 % to 175 %), a small screen and a 4K screen, within the screen. The setup
# carries its version information and fills the entry among the installed programs; its
# uninstaller leaves nothing of ours but a file the user saved. The setup puts Tallowin in
# the "Ouvrir avec" list of .cfg files, and the command it registers opens a file. Needs an X server: run it
# under xvfb-run.
#   bash packaging/windows/check.sh <build folder>
set -uo pipefail
build=$(realpath "${1:?usage: packaging/windows/check.sh <build folder>}")
here=$(cd "$(dirname "$0")" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
zip=$build/Tallowin-$version-win64.zip
setup=$build/Tallowin-$version-win64-setup.exe
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallowin'
scratch=$(mktemp -d)
source "$here/../common.sh"
source "$here/../display-checks.sh"
wine_environment
unset WINEPATH
cleanup() { [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null; rm -rf "$scratch"; }
trap cleanup EXIT

new_prefix() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  export WINEPREFIX=$scratch/$1
  bash "$here/wine-prefix.sh"
}
process_of() { # process_of <regex>: a Windows program of this Wine prefix whose command line matches
  local pid
  for pid in $(pgrep -i -f "^[a-z]:\\\\.*($1)"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid" && return 0
  done
  return 1
}
running() { process_of "$1" >/dev/null; }
gone() { ! kill -0 "$1" 2>/dev/null; }
found() { # found <variable> <title pattern>: the first visible window of that title, into the variable
  local id
  id=$(visible_window "$2") && printf -v "$1" %s "$id"
}
start() { # start <folder> <program>: in that folder, as the Explorer or a shortcut would
  (cd "$1" && exec wine "$2" >"$scratch/program.log" 2>&1) &
  program=$!
  retry 90 found window '^Tallowin$' >/dev/null || { echo "no window named Tallowin within 90 s"; return 1; }
}
close_once() { xdotool key --window "$window" alt+F4 2>/dev/null; retry 10 gone "$program" >/dev/null; }
close() { # closes the main window as a user would; true when the program ends with status 0
  retry 90 close_once || { echo "still running 90 s after alt+F4"; return 1; }
  wait "$program"; local status=$?
  [ $status -eq 0 ] || { echo "exit status $status"; cat "$scratch/program.log"; return 1; }
}
text_on_clipboard() {
  xclip -o -selection clipboard 2>/dev/null >"$scratch/clipboard"
  grep -q '^PART{' "$scratch/clipboard"
}
shown_windows() { [ "$(xdotool search --onlyvisible --name '^Tallowin$' 2>/dev/null | wc -l)" -eq "$1" ]; }
escape_once() { xdotool key Escape; retry 5 shown_windows 1 >/dev/null; } # to the result dialog, under the mouse
generate() { # generate <folder> <program>
  [ -f "$build/fresh-form.cfg" ] || { echo "no $build/fresh-form.cfg: run the test suite first"; return 1; }
  start "$1" "$2" || return 1
  # The window opens in Auteur: type the names the tests type, going on with Tab: Auteur,
  # Nom, Module, Coût, Catégorie, Echelle, Titre, Créateur.
  retry 30 xdotool mousemove --window "$window" 400 300 click 1 # no field there: the window takes the keyboard
  xdotool key --delay 50 A Tab N Tab Tab Tab Tab Tab T Tab C
  printf 'avant' | xclip -selection clipboard
  local HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$window" | grep '^HEIGHT=')"
  retry 30 xdotool mousemove --window "$window" 399 $((HEIGHT - 57)) click 1 # Générer !
  retry 90 text_on_clipboard >/dev/null
  diff "$build/fresh-form.cfg" "$scratch/clipboard" || { echo "the clipboard differs (above)"; return 1; }
  retry 30 shown_windows 2 || { echo "no result dialog"; return 1; }
  retry 30 escape_once || { echo "the result dialog is still open"; return 1; }
  close
}
orange_pixels() { # of the window's first icon image: our logo's stripes, not Wine's default icon
  xprop -id "$window" -notype 32c _NET_WM_ICON | tr -d ',' | awk '{
    for (i = 3; i <= NF; i++) v[n++] = $i }
    END { size = v[0] * v[1]; for (i = 2; i < 2 + size; i++) {
      p = v[i] % 4294967296; r = int(p / 65536) % 256; g = int(p / 256) % 256; b = p % 256
      if (r > 200 && g > 80 && g < 180 && b < 80) count++ }
    print count + 0 }'
}
our_icon() {
  local count; count=$(orange_pixels)
  echo "$count orange pixels in the window icon"; [ "$count" -gt 20 ]
}
icon_from_anywhere() { # <program>: started from an empty folder, the window has our icon all the same
  mkdir -p "$scratch/elsewhere" && start "$scratch/elsewhere" "$1" || return 1
  retry 30 our_icon | tail -1; local shown=$?
  close && [ $shown -eq 0 ]
}
version_info() { # the setup's version resource, where each name is followed by its value
  wrestool -x --raw --type=16 "$setup" | strings -el >"$scratch/version" || return 1
  local pair
  for pair in ProductName=Tallowin ProductVersion="$version" "CompanyName=The Tallowin developers" \
              "FileDescription=Tallowin setup" FileVersion="$version"; do
    awk -v name="${pair%%=*}" -v value="${pair#*=}" 'last == name && $0 == value { found = 1 }
      { last = $0 } END { exit !found }' "$scratch/version" && continue
    cat "$scratch/version"; echo "no $pair"; return 1
  done
}
snapshot() { # snapshot <name>: the keys and values under HKLM\Software and HKCU\Software, drive C's files
  local hive
  for hive in HKLM HKCU; do
    wine reg export "$hive\\Software" "Z:$scratch/export.reg" /y >/dev/null 2>&1 ||
      { echo "no export of $hive"; return 1; }
    # One line per key and per value, the key in front; long values are joined back into one line.
    iconv -f UTF-16 -t UTF-8 "$scratch/export.reg" | tr -d '\r' | awk '/^\[/ { key = $0; print; next }
      /^(Windows Registry|$)/ { next }
      { line = $0
        while (line ~ /\\$/ && (getline more) > 0) { sub(/\\$/, "", line); sub(/^ +/, "", more); line = line more }
        print key " " line }'
  done | sort >"$scratch/$1.registry"
  (cd "$WINEPREFIX/drive_c" && find . -mindepth 1 | sort) >"$scratch/$1.files"
}
silent_install() { # a program the setup started would be running by the time it returns
  wine "$setup" /S || return 1
  ! running 'Tallowin\.exe' || { echo "/S started Tallowin"; return 1; }
}
entry_value() { # entry_value <name> <type> <data>
  grep -qxF "    $1    $2    $3" "$scratch/registry" || { echo "no $1 $2 $3"; return 1; }
}
registry_entry() {
  wine reg query "$entry" | tr -d '\r' >"$scratch/registry"
  cat "$scratch/registry"
  entry_value InstallLocation REG_SZ 'C:\Program Files\Tallowin' &&
  entry_value DisplayIcon REG_SZ 'C:\Program Files\Tallowin\Tallowin.exe' &&
  entry_value DisplayVersion REG_SZ "$version" && entry_value Publisher REG_SZ 'The Tallowin developers' &&
  entry_value NoModify REG_DWORD 0x1 && entry_value NoRepair REG_DWORD 0x1 || return 1
  # In KB, within a tenth of the files' size.
  local size measured
  size=$(awk '$1 == "EstimatedSize" && $2 == "REG_DWORD" { print $3 }' "$scratch/registry")
  measured=$(du -sk --apparent-size "$installed" | cut -f1)
  echo "EstimatedSize ${size:-missing}, the files $measured KB"
  [ -n "$size" ] && [ $((size * 10)) -ge $((measured * 9)) ] && [ $((size * 10)) -le $((measured * 11)) ]
}
shortcut_starts_in_install_folder() { # the link's working folder is a string of its own
  local link
  link=$(find "$WINEPREFIX/drive_c" -iname Tallowin.lnk -path '*Start Menu*' | head -1)
  [ -n "$link" ] || { echo "no Tallowin.lnk in the Start menu"; return 1; }
  echo "$link"; strings -el "$link"
  strings -el "$link" | grep -qx 'C:\\Program Files\\Tallowin'
}
open_with() { # Tallowin among the programs that open .cfg files, not their default
  wine reg query 'HKLM\Software\Classes\.cfg\OpenWithProgids' /v Tallowin.PartFile >/dev/null 2>&1 ||
    { echo "no Tallowin.PartFile among the OpenWithProgids of .cfg"; return 1; }
  local default command
  # The default value's name is Wine's own words, in the console's code page under a French
  # locale ("(par d\x82faut)"): the lines are read as bytes.
  default=$(wine reg query 'HKLM\Software\Classes\.cfg' /ve 2>/dev/null | tr -d '\r' | LC_ALL=C grep -a REG_SZ)
  echo "the default of .cfg: ${default:-none}"
  ! grep -qi tallowin <<<"$default" || { echo "Tallowin made itself the default"; return 1; }
  command=$(wine reg query 'HKLM\Software\Classes\Tallowin.PartFile\shell\open\command' /ve | tr -d '\r' |
    LC_ALL=C sed -n 's/.*REG_SZ *//p')
  echo "$command"
  [ "$command" = '"C:\Program Files\Tallowin\Tallowin.exe" "%1"' ]
}
opens_a_file() { # as the Explorer runs that command on a .cfg file: the window bears its name
  cp "$build/fresh-form.cfg" "$scratch/réservoir.cfg" || return 1
  (cd "$installed" && exec wine "$installed/Tallowin.exe" "Z:${scratch//\//\\}\\réservoir.cfg" >"$scratch/program.log" 2>&1) &
  program=$!
  retry 90 found window '^réservoir.cfg — Tallowin$' || { echo "no window réservoir.cfg — Tallowin"; cat "$scratch/program.log"; return 1; }
  close
}
uninstalled() { ! running 'tallowin|~nsu' && ! wine reg query "$entry" >/dev/null 2>&1; }
nothing_of_ours_left() { # since before the setup: no key, value, file or shortcut naming Tallowin
  snapshot after || return 1
  comm -13 "$scratch/before.registry" "$scratch/after.registry" >"$scratch/new.registry"
  comm -13 "$scratch/before.files" "$scratch/after.files" |
    grep -vxF -e './Program Files/Tallowin' -e "./Program Files/Tallowin/$saved" >"$scratch/new.files"
  echo "new since before the setup, in the registry:"; cat "$scratch/new.registry"
  echo "on drive C:"; cat "$scratch/new.files"
  ! grep -qi 'tallowin\|\\\.cfg' "$scratch/new.registry" && ! grep -qi 'tallowin\|~nsu' "$scratch/new.files"
}
uninstalls() { # and keeps the file the user saved into the install folder
  saved='mon reservoir.cfg'
  printf 'PART{}\n' >"$installed/$saved"
  wine "$installed/Uninstall.exe" /S || return 1
  retry 90 uninstalled || return 1
  # The uninstaller runs from a copy in the Temp folder, removed at the next start of Windows.
  wine wineboot -r >/dev/null 2>&1
  [ "$(cat "$installed/$saved" 2>/dev/null)" = 'PART{}' ] || { echo "the user's file is gone"; return 1; }
  nothing_of_ours_left
}
exe_resources() { # the executable's icon, which the window class takes, and its version information
  wrestool -l "$1" >"$scratch/resources" || return 1
  cat "$scratch/resources"
  grep -q -- "--type=14 --name='IDI_ICON1'" "$scratch/resources" && grep -q -- "--type=16" "$scratch/resources" &&
  wrestool -x --raw --type=16 "$1" | strings -el | grep -qx Tallowin
}
one_icon_256_32() {
  icotool -l "$1" && [ "$(icotool -l "$1")" = "--icon --index=1 --width=256 --height=256 --bit-depth=32 --palette-size=0" ]
}
# scales <screen> <LogPixels>:<scale the window is drawn at>...: the installed program at each
# of Windows' display scales (96 dots per inch is 100 %), in the install folder.
scales() (
  wineserver -k 2>/dev/null
  start_x "$1" || exit 1
  trap 'wineserver -k 2>/dev/null; stop_x' EXIT
  shift
  cd "$installed" || exit 1
  for setting in "$@"; do
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${setting%%:*}" /f >/dev/null 2>&1 &&
      wineserver -k 2>/dev/null && opens_at "${setting#*:}" wine Tallowin.exe || exit 1
  done
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
)
through_the_pages() { # Return on each page; the last one, left as it is, starts Tallowin
  wine "$setup" >"$scratch/setup.log" 2>&1 &
  local setup_program=$! page limit=$((SECONDS + 120))
  until found window '^Tallowin$'; do
    [ $SECONDS -lt $limit ] || { echo "no window named Tallowin within 120 s"; return 1; }
    found page 'Tallowin.|.Tallowin' && xdotool key --window "$page" Return 2>/dev/null
    sleep 1 # one page a second
  done
  program=$(process_of 'Tallowin\.exe') || { echo "no Tallowin.exe behind the window"; return 1; }
  local folder; folder=$(readlink "/proc/$program/cwd")
  echo "Tallowin started in $folder"
  retry 90 close_once && retry 30 gone $setup_program && [ "$folder" = "$installed" ]
}

[ -n "${DISPLAY:-}" ] || { echo "packaging/windows/check.sh needs an X server: run it under xvfb-run"; exit 1; }
echo "      $(basename "$zip"), $(stat -c %s "$zip") bytes; $(basename "$setup"), $(stat -c %s "$setup") bytes"

new_prefix zip
check "the zip unpacks into one folder" unzip -q "$zip" -d "$scratch/unzipped"
portable=$scratch/unzipped/Tallowin-$version-win64
check "from the unzipped folder the program generates the exact text onto the clipboard and ends with 0" \
  generate "$portable" Tallowin.exe
check "started from another folder, its window shows the executable's icon" \
  icon_from_anywhere "$portable/Tallowin.exe"

check "Tallowin.exe carries the icon IDI_ICON1 and its version information" exe_resources "$portable/Tallowin.exe"
check "resources/Logo.ico holds one 256x256 32-bit image" one_icon_256_32 "$here/../../resources/Logo.ico"
check "the setup carries its product name, version, publisher and description" version_info
new_prefix setup
installed=$WINEPREFIX/drive_c/Program\ Files/Tallowin
check "the registry and the files of an empty Wine prefix, read before the setup" snapshot before
check "the setup installs silently with /S and starts nothing" silent_install
check "into Program Files, with its uninstaller" test -f "$installed/Tallowin.exe" -a -f "$installed/Uninstall.exe"
check "a Start-menu shortcut that starts in the install folder" shortcut_starts_in_install_folder
check "an entry among the installed programs: folder, size, icon, version, publisher, no modify or repair" \
  registry_entry
sed -n 's/^ \{4\}\(.*REG_.*\)/      \1/p' "$scratch/registry"
check "the installed program generates the exact text and ends with 0" generate "$installed" Tallowin.exe
check "it is among the programs that open .cfg files (Ouvrir avec), not their default" open_with
check "run as the Explorer opens a .cfg file with it, it opens the file: réservoir.cfg — Tallowin" opens_a_file
check "at 100, 125, 150 and 175 % on 1920x1080 it opens at 1, 1.25, 1.5, 1.5 (where it fits), on the screen" \
  scales 1920x1080 96:1 120:1.25 144:1.5 168:1.5
check "at 100 % on 1366x768 it opens at 1, on the screen" scales 1366x768 96:1
check "at 100 % on 1280x720 it opens at 1, on the screen" scales 1280x720 96:1
check "at 200 % on 3840x2160 it opens at 2, on the screen" scales 3840x2160 192:2
check "the uninstaller leaves no key, value, file or shortcut of ours, but keeps the user's file" uninstalls

new_prefix pages
installed=$WINEPREFIX/drive_c/Program\ Files/Tallowin
check "through its pages the setup installs, and its last page starts Tallowin in the install folder" \
  through_the_pages

[ $failures -eq 0 ] && echo "all Windows package checks passed" || echo "$failures Windows package check(s) failed"
[ $failures -eq 0 ]
