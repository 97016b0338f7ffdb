#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly, in WINEPREFIX (the Windows
# build's own prefix unless one is given) and returns its exit code.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/../build-windows/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
exec wine "$@"
