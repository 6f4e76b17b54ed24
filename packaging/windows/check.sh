#!/usr/bin/env bash
# Checks the Windows packages as a user meets them, each in an empty Wine prefix with no
# Qt on Wine's path: the zip unpacked, then the setup installed with /S. Each time the
# program starts, takes the four names typed into the form, puts exactly expected-text.cfg
# on the clipboard at "Générer !", closes with status 0 and, started from a folder without
# Logo.ico, still shows its icon. Needs an X server: run it under xvfb-run.
#   bash packaging/windows/check.sh <build folder>
set -uo pipefail
build=$(realpath "${1:?usage: packaging/windows/check.sh <build folder>}")
here=$(cd "$(dirname "$0")" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
zip=$build/Tallowin-$version-win64.zip
setup=$build/Tallowin-$version-win64-setup.exe
scratch=$(mktemp -d)
export WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
unset WINEPATH
cleanup() { [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null; rm -rf "$scratch"; }
trap cleanup EXIT

source "$here/../check-steps.sh"
new_prefix() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  export WINEPREFIX=$scratch/$1
  bash "$here/wine-prefix.sh"
}
start() { # start <folder> <program>: in that folder, as the Explorer or a shortcut would
  (cd "$1" && exec wine "$2" >"$scratch/program.log" 2>&1) &
  program=$!
  window=$(timeout 60 xdotool search --sync --name '^Tallowin$' | head -1)
  [ -n "$window" ] || { echo "no window named Tallowin within 60 s"; return 1; }
}
close() { # closes the main window as a user would; true when the program ends with status 0
  xdotool key --window "$window" alt+F4
  for _ in $(seq 30); do kill -0 "$program" 2>/dev/null || break; sleep 1; done
  wait "$program"; local status=$?
  [ $status -eq 0 ] || { echo "exit status $status"; cat "$scratch/program.log"; return 1; }
}
generate() { # generate <folder> <program>
  start "$1" "$2" || return 1
  # Click into Auteur, the first field, then type and go on with Tab: Auteur, Nom,
  # Module, Coût, Catégorie, Echelle, Titre, Créateur.
  xdotool mousemove --window "$window" 81 42 click 1 && sleep 0.3
  xdotool type --delay 20 auteur1 && xdotool key Tab && xdotool type --delay 20 tankA
  xdotool key --delay 50 Tab Tab Tab Tab Tab && xdotool type --delay 20 'Tank A'
  xdotool key Tab && xdotool type --delay 20 auteur1
  printf 'avant' | xclip -selection clipboard
  xdotool mousemove --window "$window" 399 529 click 1 # Générer !
  for _ in $(seq 30); do
    xclip -o -selection clipboard 2>/dev/null >"$scratch/clipboard"
    grep -q '^PART{' "$scratch/clipboard" && break
    sleep 1
  done
  diff "$here/expected-text.cfg" "$scratch/clipboard" || { echo "the clipboard differs (above)"; return 1; }
  xdotool key Escape && sleep 1 # closes the result dialog
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
icon_from_anywhere() { # <program>: started from an empty folder, the window has our icon all the same
  mkdir -p "$scratch/elsewhere" && start "$scratch/elsewhere" "$1" || return 1
  sleep 2
  local count; count=$(orange_pixels)
  echo "$count orange pixels in the window icon"
  close && [ "$count" -gt 20 ]
}
registry_entry() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallowin' | tr -d '\r' |
    tee "$scratch/registry"
  grep -q 'DisplayIcon.*REG_SZ.*C:\\Program Files\\Tallowin\\Tallowin.exe' "$scratch/registry" &&
  grep -q "DisplayVersion.*REG_SZ.*$version" "$scratch/registry" &&
  grep -q 'Publisher.*REG_SZ.*The Tallowin developers' "$scratch/registry"
}
shortcut_starts_in_install_folder() { # the link's working folder is a string of its own
  local link
  link=$(find "$WINEPREFIX/drive_c" -iname Tallowin.lnk -path '*Start Menu*' | head -1)
  [ -n "$link" ] || { echo "no Tallowin.lnk in the Start menu"; return 1; }
  echo "$link"; strings -el "$link"
  strings -el "$link" | grep -qx 'C:\\Program Files\\Tallowin'
}
uninstalls() {
  wine "$installed/Uninstall.exe" /S || return 1
  for _ in $(seq 30); do [ -e "$installed/Tallowin.exe" ] || break; sleep 1; done
  [ ! -e "$installed/Tallowin.exe" ] || { echo "Tallowin.exe is still there"; return 1; }
  [ -z "$(find "$WINEPREFIX/drive_c" -iname Tallowin.lnk)" ] || { echo "a shortcut is left"; return 1; }
  ! wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallowin' >/dev/null 2>&1
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

new_prefix setup
installed=$WINEPREFIX/drive_c/Program\ Files/Tallowin
check "the setup installs silently with /S" wine "$setup" /S
check "into Program Files, with its uninstaller" test -f "$installed/Tallowin.exe" -a -f "$installed/Uninstall.exe"
check "a Start-menu shortcut that starts in the install folder" shortcut_starts_in_install_folder
check "an entry among the installed programs with icon, version and publisher" registry_entry
check "the installed program generates the exact text and ends with 0" generate "$installed" Tallowin.exe
check "the uninstaller removes the program, the shortcut and the entry" uninstalls

[ $failures -eq 0 ] && echo "all Windows package checks passed" || echo "$failures Windows package check(s) failed"
[ $failures -eq 0 ]
