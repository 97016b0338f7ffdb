#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game (or the editor: ./play.sh editor).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$root/tools/setup.sh"

tarnwick_install_packages
tarnwick_build "$root"

case "${1:-game}" in
  editor) program="TarnwickEdit" ;;
  game|"") program="TarnwickQuest" ;;
  *) echo "usage: ./play.sh [editor]" >&2; exit 2 ;;
esac
exe="$root/build/bin/$program"
if [ ! -x "$exe" ]; then
  echo "$program was not built; see the build output above." >&2
  exit 1
fi
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
exec "$exe"
