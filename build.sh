#!/usr/bin/env bash
# Sets up a Debian machine, builds Tallowin and runs it or its tests.
#   bash build.sh run    install what is missing, build, start the program
#   bash build.sh test   install what is missing, build, run the whole test suite headless;
#                        then the Windows part when ../shared/windows-qt/ is beside the checkout
#   bash build.sh windows  cross-build for Windows, run the test suite under Wine, pack
#                        build-windows/Tallowin-<version>-win64.zip and -setup.exe
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
jobs=$(nproc 2>/dev/null || echo 2)

run_packages="build-essential cmake qtbase5-dev libxcb1-dev qttranslations5-l10n fonts-dejavu-core fonts-wine"
# The tests also build against Qt 6, from the same source, and check the packaging:
# the Windows resource and icon, the desktop files and the Debian package.
test_packages="$run_packages qt6-base-dev qt6-translations-l10n dpkg-dev file hicolor-icon-theme
  icoutils binutils-mingw-w64-x86-64 desktop-file-utils appstream xvfb xauth x11-utils
  x11-xserver-utils xdotool"

# Cross-building for Windows, the tests under Wine and an X server, the zip and the setup
# (icoutils reads the setup's version information back).
windows_packages="cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  binutils wine64 wine nsis xvfb xauth x11-utils xdotool xclip zip unzip fonts-wine xz-utils icoutils"

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
      || missing+=("$package")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# The tests type as a French author does, under a French system locale.
french_locale() {
  locale -a 2>/dev/null | grep -qix 'fr_FR.utf-\?8' && return
  install_missing locales
  as_root localedef -i fr_FR -c -f UTF-8 -A /usr/share/locale/locale.alias fr_FR.UTF-8
}

build() { # build <folder> [cmake options...]
  local folder=$1; shift
  cmake -S . -B "$folder" "$@"
  cmake --build "$folder" --parallel "$jobs"
}

run_tests() { # run_tests <folder>
  (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$jobs")
}

step() { echo; echo "=== $* (at ${SECONDS} s) ==="; }

# The Windows part stops at the first failure with one line that names the step.
windows_step=
windows_packages_out() { rm -f build-windows/Tallowin-*-win64.zip build-windows/Tallowin-*-win64-setup.exe; }
windows_failed() {
  windows_packages_out
  echo "build.sh windows: failed at \"$windows_step\"; the lines above say why; nothing was packed" >&2
}
wstep() { windows_step=$1; step "Windows: $*"; }

windows() {
  trap '[ $? -eq 0 ] || windows_failed' EXIT
  wstep "install the cross compiler, Wine and NSIS"
  install_missing $windows_packages
  french_locale
  wstep "get the Windows Qt"
  local kit
  kit=$(bash packaging/windows/windows-qt.sh)
  echo "$kit"
  wstep "cross-build Tallowin.exe and the tests"
  windows_packages_out
  build build-windows -DCMAKE_TOOLCHAIN_FILE=packaging/windows/mingw64-toolchain.cmake \
    -DCMAKE_PREFIX_PATH="$kit" -DCMAKE_BUILD_TYPE=Release -DTALLOWIN_BUILD_BENCH=OFF
  wstep "the test suite under Wine (one at a time: they share Wine's clipboard)"
  export WINEPREFIX=${XDG_CACHE_HOME:-$HOME/.cache}/tallowin/wine
  xvfb-run -a -s '-screen 0 1280x1024x24' bash -c \
    'cd build-windows && ctest --output-on-failure; status=$?; wineserver -k; exit $status'
  wstep "pack the zip and the setup"
  (cd build-windows && cpack)
  wstep "the zip and the setup under Wine, in empty Wine prefixes"
  xvfb-run -a -s '-screen 0 1280x1024x24' bash packaging/windows/check.sh build-windows
  trap - EXIT
  ls -l build-windows/Tallowin-*-win64.zip build-windows/Tallowin-*-win64-setup.exe
}

case "$mode" in
  run)
    install_missing $run_packages
    build build -DTALLOWIN_QT_MAJOR=5
    cd build # where the window finds its icon, Logo.ico
    exec ./tallowin
    ;;
  test)
    install_missing $test_packages
    french_locale
    step "Qt 5: build and test"
    build build -DTALLOWIN_QT_MAJOR=5
    run_tests build
    step "Qt 5: packaging"
    bash packaging/check.sh build
    step "Qt 5: the test suite under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer"
    build build-sanitize -DTALLOWIN_QT_MAJOR=5 -DTALLOWIN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
      -DTALLOWIN_BUILD_BENCH=OFF
    run_tests build-sanitize
    step "Qt 6: build and test"
    build build-qt6 -DTALLOWIN_QT_MAJOR=6
    run_tests build-qt6
    step "Qt 6: packaging"
    bash packaging/check.sh build-qt6
    if [ -f ../shared/windows-qt/qt5.15.8-mingw64.tar.xz ]; then
      windows
    else
      step "Windows part skipped: no ../shared/windows-qt/ beside the checkout; bash build.sh windows runs it"
    fi
    step "all passed"
    ;;
  windows)
    windows
    step "Windows: all passed"
    ;;
  *)
    echo "usage: bash build.sh run|test|windows" >&2
    exit 2
    ;;
esac
