#!/usr/bin/env bash
# Prints the folder of the Windows Qt kit (Qt 5.15.8 for 64-bit Windows, MinGW-w64),
# unpacked once into a cache outside the source tree. The kit comes from
# ../shared/windows-qt/ beside the checkout when it is there (its sha256 checked);
# otherwise build-windows-qt.sh makes it from Debian's source package (~25 min on 2 cores).
# Every failure ends with one line on standard error that says what to do.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
kit_dir=${TALLOWIN_WINDOWS_QT_KIT:-$source_dir/../shared/windows-qt}
archive=qt5.15.8-mingw64.tar.xz
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tallowin
fail() { echo "windows-qt: $*" >&2; exit 1; }

if [ -f "$kit_dir/$archive" ]; then
  [ -f "$kit_dir/$archive.sha256" ] || fail "$kit_dir/$archive.sha256 is missing: restore it beside the archive"
  sum=$(cut -d' ' -f1 "$kit_dir/$archive.sha256")
  target=$cache/qt5-mingw64-$sum
  if [ ! -f "$target/unpacked" ]; then
    actual=$(sha256sum "$kit_dir/$archive" | cut -d' ' -f1)
    [ "$actual" = "$sum" ] || fail "$kit_dir/$archive is damaged (sha256 $actual, expected $sum): copy it again"
    rm -rf "$target" && mkdir -p "$target"
    tar -C "$target" -xJf "$kit_dir/$archive" ||
      { rm -rf "$target"; fail "could not unpack $kit_dir/$archive into $target: check the free space"; }
    [ -f "$target/qt5-mingw64/lib/cmake/Qt5/Qt5Config.cmake" ] ||
      { rm -rf "$target"; fail "$kit_dir/$archive holds no qt5-mingw64/lib/cmake/Qt5: it is not the Windows Qt kit"; }
    touch "$target/unpacked"
  fi
  echo "$target/qt5-mingw64"
else
  target=$cache/qt5-mingw64-built
  if [ ! -f "$target/built" ]; then
    echo "windows-qt: no $kit_dir/$archive; building Qt for Windows from Debian's source (about 25 minutes)" >&2
    bash "$source_dir/packaging/windows/build-windows-qt.sh" "$target" >&2 ||
      fail "building Qt for Windows failed (see above); or put the kit into $kit_dir"
    touch "$target/built"
  fi
  echo "$target/qt5-mingw64"
fi
