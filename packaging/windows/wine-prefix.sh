#!/usr/bin/env bash
# Makes the Wine prefix $WINEPREFIX unless it is there, and puts Wine's own fonts (Tahoma,
# Marlett, ...) into its Fonts folder: Debian's Wine does not load them from where the
# fonts-wine package puts them, and every text would fall back to some other font.
#   wine-prefix.sh [unmanaged]
# unmanaged (the test suite's prefix): Wine places and activates its windows itself. Left to a
# window manager, Wine waits for one 2 s each time a window or dialog closes, and Xvfb has none.
set -eu
source "$(dirname "$0")/../common.sh"
wine_environment
[ -f "$WINEPREFIX/system.reg" ] || wine wineboot --init >/dev/null 2>&1
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ ! -f "$fonts/tahoma.ttf" ] && [ -f /usr/share/wine/fonts/tahoma.ttf ]; then
  cp /usr/share/wine/fonts/*.ttf "$fonts/"
fi
if [ "${1:-}" = unmanaged ] && ! grep -qsx '"Managed"="N"' "$WINEPREFIX/user.reg"; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi
