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
# Qt Test's watchdog ends a program whose test function runs past 5 minutes. Every function
# takes well under a minute under Wine, even on a loaded machine; ten minutes leave a busy CI
# machine its margin and still end a hang.
export QTEST_FUNCTION_TIMEOUT=${QTEST_FUNCTION_TIMEOUT:-600000}
mkdir -p "$(dirname "$WINEPREFIX")"
flock "$WINEPREFIX.lock" bash "$(dirname "$0")/wine-prefix.sh" unmanaged
output=$(mktemp "${TMPDIR:-/tmp}/tallowin-qtest-XXXXXX.txt")
trap 'rm -f "$output"' EXIT
wine "$program" -o "Z:$output,txt" "$@" </dev/null
status=$?
cat "$output"
# Once the program has ended on Wine's side, the wineserver kills (SIGKILL, status 137) its
# Unix process if that is still running half a second later. Killed after Qt Test's complete
# report, which counts no failure, the program had returned 0 and was only leaving.
if [ $status -eq 137 ] && tail -n 1 "$output" | grep -q '^\*\*\*\*\*\*\*\*\* Finished testing of ' &&
   grep -Eq '^Totals: [0-9]+ passed, 0 failed, ' "$output"; then
  echo "qtest-under-wine: killed on its way out, after a complete report without failure: passed" >&2
  status=0
fi
exit $status
