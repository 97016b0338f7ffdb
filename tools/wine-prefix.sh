#!/usr/bin/env bash
# Makes a Wine prefix ready for the tests, once: booted, with Wine's fonts,
# and with Wine's windows unmanaged, without which every closing window or
# dialog stalls 2 s under an X server with no window manager.
set -euo pipefail
export WINEPREFIX="$1" WINEDEBUG=-all
[ -f "$WINEPREFIX/.tarnwick-ready" ] && exit 0
wineboot -i >/dev/null 2>&1
# Debian's fonts-wine: the bitmap "MS Sans Serif" and the Marlett glyphs of
# Wine's caption buttons, found only inside the prefix.
[ -d /usr/share/wine/fonts ] && cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
touch "$WINEPREFIX/.tarnwick-ready"
