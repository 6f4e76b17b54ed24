#!/usr/bin/env bash
# Checks the Linux packaging of an already built Tallowin (Qt 5 or Qt 6): the desktop entry
# and metainfo, then the Debian package, installed, started at several display scales and
# removed again. One line per check; fails on any failure.
#   bash packaging/linux/check.sh <build folder>
set -uo pipefail
build=$(realpath "${1:?usage: packaging/linux/check.sh <build folder>}")
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)

source "$here/../common.sh"
source "$here/../display-checks.sh"
cleanup() {
  installed tallowin && as_root apt-get remove -y -qq tallowin >/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
silent() { local out; out=$("$@" 2>&1); local status=$?; echo "$out"; [ $status -eq 0 ] && [ -z "$out" ]; }

installed_files() {
  dpkg -L tallowin >"$scratch/files" || return 1
  local path
  for path in /usr/bin/tallowin /usr/share/applications/org.tallowin.Tallowin.desktop \
              /usr/share/metainfo/org.tallowin.Tallowin.metainfo.xml \
              /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/Tallowin.png; do
    grep -qx "$path" "$scratch/files" || { echo "missing: $path"; return 1; }
  done
}
theme_icons() { # what QIcon::hasThemeIcon("Tallowin") looks for: hicolor's index.theme and the sizes
  [ -f /usr/share/icons/hicolor/index.theme ] || { echo "no hicolor index.theme"; return 1; }
  local size
  for size in 16 32 48 64 128 256; do
    file -b "/usr/share/icons/hicolor/${size}x${size}/apps/Tallowin.png" |
      grep -q "PNG image data, $size x $size, 8-bit/color RGBA" || return 1
  done
}
keeps_running() ( # starts the installed program from an empty folder for three seconds
  mkdir "$scratch/empty" && cd "$scratch/empty" || exit 1
  QT_QPA_PLATFORM=offscreen /usr/bin/tallowin &
  pid=$!
  sleep 3
  kill -0 $pid || exit 1
  kill $pid; wait $pid 2>/dev/null; true
)
theme_icon_shown() { xprop -name Tallowin -len 8 _NET_WM_ICON 2>/dev/null | grep -q "Icon ("; }
window_icon() ( # on an X server, from a folder without Logo.ico, so the icon comes from the theme
  cd "$scratch/empty" && start_x 1280x1024 || exit 1
  /usr/bin/tallowin &
  program=$!
  trap 'kill $program; wait $program 2>/dev/null; stop_x' EXIT
  retry 60 theme_icon_shown
)

# As the desktop opens a file with the program ("Ouvrir avec", a file dropped on its icon): the
# installed entry's command with the file for %f; the window then bears the file's name.
opens_a_file() (
  cd "$scratch/empty" && start_x 1280x1024 || exit 1
  cp "$build/fresh-form.cfg" "$scratch/réservoir.cfg" || exit 1
  command=$(sed -n 's/^Exec=//p' /usr/share/applications/org.tallowin.Tallowin.desktop)
  echo "$command"
  [ "${command% %f}" != "$command" ] || { echo "the entry's command takes no file"; exit 1; }
  ${command% %f} "$scratch/réservoir.cfg" &
  program=$!
  trap 'kill $program; wait $program 2>/dev/null; stop_x' EXIT
  retry 60 visible_window '^réservoir.cfg — Tallowin$'
)

# scales <screen> <Xft.dpi>:<scale the window is drawn at>...: the installed program started
# from an empty folder at each of the desktop's font resolutions ("none": none set), and the
# form's texts and numbers checked whole at the desktop's scale on the real X platform.
scales() (
  screen=$1; shift
  start_x "$screen" || exit 1
  trap stop_x EXIT
  mkdir -p "$scratch/empty" && cd "$scratch/empty" || exit 1
  for setting in "$@"; do
    dpi=${setting%%:*}
    xrdb -remove
    [ "$dpi" = none ] || echo "Xft.dpi: $dpi" | xrdb -merge
    opens_at "${setting#*:}" /usr/bin/tallowin || exit 1
    desktop=$(awk -v d="$dpi" -v f="${QT_SCALE_FACTOR:-1}" 'BEGIN { print (d == "none" ? 1 : d / 96) * f }')
    TALLOWIN_EXPECTED_SCALE=$desktop QT_QPA_PLATFORM=xcb "$build/tests/tst_display" >"$scratch/display.log" 2>&1 ||
      { grep -E '^(FAIL|   )' "$scratch/display.log"; exit 1; }
  done
)

scale_factor() { QT_SCALE_FACTOR=$1 scales 1920x1080 "none:$1"; }

check "Logo.ico is beside the built program" cmp "$here/../../resources/Logo.ico" "$build/Logo.ico"
check "desktop entry is valid" silent desktop-file-validate "$here/org.tallowin.Tallowin.desktop"
check "metainfo is valid" appstreamcli validate --no-net "$build/packaging/linux/org.tallowin.Tallowin.metainfo.xml"

rm -f "$build"/tallowin_*.deb
check "cpack builds the .deb" bash -c "cd '$build' && cpack -G DEB"
deb=$(ls "$build"/tallowin_*.deb 2>/dev/null)
if [ -n "$deb" ]; then
  echo "      $(basename "$deb"), $(stat -c %s "$deb") bytes"
  dpkg-deb -f "$deb" Depends Recommends | sed 's/^/      /'
  major=$(sed -n 's/^TALLOWIN_QT_MAJOR:[A-Z]*=//p' "$build/CMakeCache.txt")
  check "it depends on Qt $major's libraries and hicolor-icon-theme" \
    grep -q "hicolor-icon-theme.*libqt${major}widgets${major}" <(dpkg-deb -f "$deb" Depends)
  check "the .deb installs" as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --reinstall "$deb"
  check "the package holds the program, desktop entry, metainfo and 6 icons" installed_files
  check "the icons are in the hicolor theme: 16, 32, 48, 64, 128, 256 px RGBA" theme_icons
  check "the installed program keeps running for 3 s" keeps_running
  check "its window shows the theme icon" window_icon
  check "started as the desktop opens a file, it opens it: réservoir.cfg — Tallowin" opens_a_file
  check "at Xft.dpi none, 120, 144, 192 on 1920x1080 it opens at 1, 1.25, 1.5, 1.5 (where it fits), whole" \
    scales 1920x1080 none:1 120:1.25 144:1.5 192:1.5
  check "at Xft.dpi 192 on 3840x2160 it opens at 2, whole" scales 3840x2160 192:2
  check "with QT_SCALE_FACTOR=1.5 it opens at 1.5, whole" scale_factor 1.5
  check "the package removes cleanly" as_root apt-get remove -y tallowin
fi

[ $failures -eq 0 ] && echo "all packaging checks passed" || echo "$failures packaging check(s) failed"
[ $failures -eq 0 ]
