#!/usr/bin/env bash
# Sets up a Debian machine, builds Tallowin and runs it or its tests.
#   bash build.sh run    install what is missing, build, start the program
#   bash build.sh test   install what is missing, build, run the whole test suite headless
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
jobs=$(nproc 2>/dev/null || echo 2)

run_packages="build-essential cmake qtbase5-dev qttranslations5-l10n fonts-dejavu-core"
test_packages="$run_packages"

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

case "$mode" in
  run)
    install_missing $run_packages
    build build
    exec ./build/tallowin
    ;;
  test)
    install_missing $test_packages
    build build
    (cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$jobs")
    ;;
  *)
    echo "usage: bash build.sh run|test" >&2
    exit 2
    ;;
esac
