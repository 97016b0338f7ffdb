#!/usr/bin/env bash
# Makes the Windows programs: installs what is missing (mingw-w64, Wine),
# cross-builds build-windows/bin/ and packs build-windows/Tarnwick-windows.zip.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/tools/setup.sh"
tarnwick_install_packages
tarnwick_build_windows "$root"
