#!/usr/bin/env bash
# ctest's emulator for the cross-built test programs: runs one under Wine and prints
# its Qt Test output, which under Wine does not reach a pipe and is therefore written
# to a file (-o <file>,txt). Returns the program's own exit status.
#   qtest-under-wine.sh <program.exe> [Qt Test arguments...]
# TALLOWIN_WINE_DLL_PATH: the folders of the DLLs (Qt, compiler runtime), ":"-separated.
# The Wine prefix is WINEPREFIX, else Tallowin's own in the cache; made on first use.
set -u
program=$1; shift
[ -n "${DISPLAY:-}" ] || { echo "qtest-under-wine: no DISPLAY: run the tests under an X server (xvfb-run)" >&2; exit 1; }
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/tallowin/wine}
source "$(dirname "$0")/../common.sh"
wine_environment
WINEPATH=
IFS=: read -ra folders <<<"${TALLOWIN_WINE_DLL_PATH:-}"
for folder in "${folders[@]}"; do WINEPATH+="${WINEPATH:+;}Z:$folder"; done
export WINEPATH
mkdir -p "$(dirname "$WINEPREFIX")"
flock "$WINEPREFIX.lock" bash "$(dirname "$0")/wine-prefix.sh"
output=$(mktemp "${TMPDIR:-/tmp}/tallowin-qtest-XXXXXX.txt")
trap 'rm -f "$output"' EXIT
wine "$program" -o "Z:$output,txt" "$@" </dev/null
status=$?
cat "$output"
exit $status
