#!/usr/bin/env bash
# Makes the Wine prefix $WINEPREFIX unless it is there, and puts Wine's own fonts (Tahoma,
# Marlett, ...) into its Fonts folder: Debian's Wine does not load them from where the
# fonts-wine package puts them, and every text would fall back to some other font.
set -eu
source "$(dirname "$0")/../common.sh"
wine_environment
[ -f "$WINEPREFIX/system.reg" ] || wine wineboot --init >/dev/null 2>&1
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ ! -f "$fonts/tahoma.ttf" ] && [ -f /usr/share/wine/fonts/tahoma.ttf ]; then
  cp /usr/share/wine/fonts/*.ttf "$fonts/"
fi
