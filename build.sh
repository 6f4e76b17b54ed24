#!/usr/bin/env bash
# Sets up a Debian machine, builds Tallowin and runs it or its tests.
#   bash build.sh run    install what is missing, build, start the program
#   bash build.sh test   install what is missing, build, run the whole test suite headless
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
jobs=$(nproc 2>/dev/null || echo 2)

run_packages="build-essential cmake qtbase5-dev qttranslations5-l10n fonts-dejavu-core fonts-wine"
# The tests also build against Qt 6, from the same source, and check the packaging:
# the Windows resource and icon, the desktop files and the Debian package.
test_packages="$run_packages qt6-base-dev qt6-translations-l10n dpkg-dev file hicolor-icon-theme
  icoutils binutils-mingw-w64-x86-64 desktop-file-utils appstream xvfb xauth x11-utils"

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

build() { # build <folder> [cmake options...]
  local folder=$1; shift
  cmake -S . -B "$folder" "$@"
  cmake --build "$folder" --parallel "$jobs"
}

run_tests() { # run_tests <folder>
  (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$jobs")
}

step() { echo; echo "=== $* (at ${SECONDS} s) ==="; }

case "$mode" in
  run)
    install_missing $run_packages
    build build -DTALLOWIN_QT_MAJOR=5
    cd build # where the window finds its icon, Logo.ico
    exec ./tallowin
    ;;
  test)
    install_missing $test_packages
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
    step "all passed"
    ;;
  *)
    echo "usage: bash build.sh run|test" >&2
    exit 2
    ;;
esac
