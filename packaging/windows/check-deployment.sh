#!/usr/bin/env bash
# Installs the cross-built program into a scratch folder, as the zip and the setup hold it,
# lists every DLL that a program or plugin there imports and fails on one that is neither
# in the folder nor part of Windows; then, with no Qt on Wine's path, checks that Qt reads
# the French catalogues from the folder (qt.conf).
#   check-deployment.sh <build folder> <objdump> <Windows Qt's bin folder>
set -uo pipefail
build=$1 objdump=$2 qt_bin=$3
here=$(cd "$(dirname "$0")" && pwd)
folder=$build/deployment-check
rm -rf "$folder"
cmake --install "$build" --prefix "$folder" >/dev/null || { echo "FAIL  cmake --install $build"; exit 1; }

# What every Windows 7 and later has; api-ms-win-* are its API sets.
system_dlls=" advapi32 comctl32 comdlg32 crypt32 d3d9 d3d11 dwmapi dwrite dxgi gdi32 imm32
  iphlpapi kernel32 mpr msvcrt netapi32 ntdll ole32 oleaut32 rpcrt4 setupapi shell32 shlwapi
  user32 userenv uxtheme version winmm winspool.drv ws2_32 wtsapi32 "
failures=0
while IFS= read -r -d '' file; do
  for dll in $("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
    lower=${dll,,}
    if [ -n "$(find "$folder" -maxdepth 1 -iname "$dll")" ]; then
      where="in the folder"
    elif [[ $system_dlls == *[[:space:]]${lower%.dll}[[:space:]]* || $lower == api-ms-win-* ]]; then
      where="Windows"
    else
      where="MISSING"; failures=$((failures + 1))
    fi
    printf '%-36s %-26s %s\n' "${file#"$folder"/}" "$dll" "$where"
  done
done < <(find "$folder" \( -iname '*.exe' -o -iname '*.dll' \) -print0 | sort -z)
[ $failures -eq 0 ] || { echo "FAIL  $failures imported DLL(s) neither in the folder nor part of Windows"; exit 1; }

cp "$build/tests/tst_form.exe" "$qt_bin/Qt5Test.dll" "$folder/"
(cd "$folder" && TALLOWIN_WINE_DLL_PATH= "$here/qtest-under-wine.sh" ./tst_form.exe toolkitTranslation:French) ||
  { echo "FAIL  the toolkit's French texts do not load in the installed folder"; exit 1; }
echo "ok    every imported DLL is in the folder or part of Windows; the French catalogues load there"
