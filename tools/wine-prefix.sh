#!/usr/bin/env bash
# Makes a Wine prefix ready for the tests, once: booted, with Wine's fonts,
# and with Wine's windows unmanaged, without which every closing window or
# dialog stalls 2 s under an X server with no window manager. With a second
# argument "managed", for tests under a window manager, they stay managed.
# WINE_LOGPIXELS, if set, is the display's dots per inch (96 is 100 %).
set -uo pipefail
export WINEPREFIX="$1" WINEDEBUG=-all
managed=N
[ "${2:-}" = managed ] && managed=Y
[ -f "$WINEPREFIX/.tarnwick-ready" ] && exit 0
log="$WINEPREFIX.log"

prepare() {
  wineboot -i &&
    # Debian's fonts-wine: the bitmap "MS Sans Serif" and the Marlett glyphs
    # of Wine's caption buttons, found only inside the prefix.
    { [ ! -d /usr/share/wine/fonts ] || cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"; } &&
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d $managed /f &&
    { [ -z "${WINE_LOGPIXELS:-}" ] ||
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$WINE_LOGPIXELS" /f; } &&
    wineserver -w
}

# A first boot now and then fails on a busy machine: start over once.
for attempt in 1 2; do
  if prepare >"$log" 2>&1; then
    touch "$WINEPREFIX/.tarnwick-ready"
    exit 0
  fi
  echo "== Preparing the Wine prefix $WINEPREFIX failed (attempt $attempt):" >&2
  tail -20 "$log" >&2
  wineserver -k 2>/dev/null
  rm -rf "$WINEPREFIX"
done
exit 1
