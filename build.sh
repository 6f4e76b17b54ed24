#!/usr/bin/env bash
# Sets up a Debian machine, builds Tallowin and runs it or its tests. The builds themselves
# are CMakePresets.json's workflows (qt5, qt6, sanitize, windows) and the fuzz preset, which
# IDEs read too.
#   bash build.sh run      install what is missing, build, start the program
#   bash build.sh test     install what is missing, build and test against Qt 5, under the
#                          sanitizers and against Qt 6, fuzz the reading and writing of part files for a
#                          minute, check the Linux packages; then the
#                          Windows part when ../shared/windows-qt/ is beside the checkout
#   bash build.sh windows  cross-build for Windows, run the test suite under Wine, pack
#                          build-windows/Tallowin-<version>-win64.zip and -setup.exe, check both
set -euo pipefail
cd "$(dirname "$0")"
source packaging/common.sh

mode=${1:-run}
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc 2>/dev/null || echo 2)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$CMAKE_BUILD_PARALLEL_LEVEL}

run_packages="build-essential cmake qtbase5-dev libxcb1-dev qttranslations5-l10n fonts-dejavu-core fonts-wine"
# The tests also build against Qt 6, from the same source, check the Linux packaging (the
# desktop files, the Debian package, the program at several display scales), and fuzz the
# reading of part files with Clang's libFuzzer.
test_packages="$run_packages qt6-base-dev qt6-translations-l10n dpkg-dev file hicolor-icon-theme
  desktop-file-utils appstream xvfb xauth x11-utils x11-xserver-utils xdotool locales clang libclang-rt-14-dev"
# Cross-building for Windows, the tests under Wine and an X server, the zip and the setup.
windows_packages="cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  binutils wine64 wine nsis xvfb xauth x11-utils xdotool xclip zip unzip fonts-wine xz-utils icoutils
  locales"

# The tests type as a French author does, under a French system locale.
french_locale() {
  locale -a 2>/dev/null | grep -qix 'fr_FR.utf-\?8' && return
  as_root localedef -i fr_FR -c -f UTF-8 -A /usr/share/locale/locale.alias fr_FR.UTF-8
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
  TALLOWIN_WINDOWS_QT=$(bash packaging/windows/windows-qt.sh)
  export TALLOWIN_WINDOWS_QT
  echo "$TALLOWIN_WINDOWS_QT"
  wstep "cross-build Tallowin.exe and the tests, run them under Wine, pack the zip and the setup"
  windows_packages_out
  export WINEPREFIX=${XDG_CACHE_HOME:-$HOME/.cache}/tallowin/wine
  xvfb-run -a -s '-screen 0 1280x1024x24' bash -c \
    'cmake --workflow --preset windows; status=$?; wineserver -k; exit $status'
  wstep "the zip and the setup under Wine, in empty Wine prefixes"
  xvfb-run -a -s '-screen 0 1280x1024x24' bash packaging/windows/check.sh build-windows
  trap - EXIT
  ls -l build-windows/Tallowin-*-win64.zip build-windows/Tallowin-*-win64-setup.exe
}

case "$mode" in
  run)
    install_missing $run_packages
    cmake --preset qt5
    cmake --build --preset qt5
    cd build # where the window finds its icon, Logo.ico
    exec ./tallowin
    ;;
  test)
    install_missing $test_packages
    french_locale
    step "Qt 5: build and test"
    cmake --workflow --preset qt5
    step "Qt 5: Linux packaging"
    bash packaging/linux/check.sh build
    step "Qt 5: the test suite under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer"
    cmake --workflow --preset sanitize
    step "The reading and writing back of part files under libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer, for a minute"
    cmake --preset fuzz
    cmake --build --preset fuzz
    # From the files the test suite read (build/fuzz-seeds); what it finds goes to build-fuzz/corpus.
    mkdir -p build-fuzz/corpus
    # The leaks the toolkit's own libraries keep past exit are those the sanitizer tests ignore.
    if ! LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 build-fuzz/tests/fuzz_partreading -max_total_time=60 -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
           -artifact_prefix=build-fuzz/ build-fuzz/corpus build/fuzz-seeds >build-fuzz/fuzz.log 2>&1; then
      tail -n 60 build-fuzz/fuzz.log
      echo "build.sh: the fuzzer found a fault; the input that shows it is in build-fuzz/ (above)" >&2
      exit 1
    fi
    grep -E '^(Done|stat::)' build-fuzz/fuzz.log
    step "Qt 6: build and test"
    cmake --workflow --preset qt6
    step "Qt 6: Linux packaging"
    bash packaging/linux/check.sh build-qt6
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
