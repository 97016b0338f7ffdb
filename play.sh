#!/usr/bin/env bash
# Installs what is missing, builds the two programs, and starts the game (or
# the editor: ./play.sh editor).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$root/tools/setup.sh"

case "${1:-game}" in
  editor) program="TarnwickEdit" ;;
  game|"") program="TarnwickQuest" ;;
  *) echo "usage: ./play.sh [editor]" >&2; exit 2 ;;
esac

tarnwick_install_packages
# The two programs only: the tests, benchmarks and fuzz replays are ./test.sh's.
tarnwick_build "$root" TarnwickQuest TarnwickEdit
exe="$root/build/bin/$program"
if [ ! -x "$exe" ]; then
  echo "$program was not built; see the build output above." >&2
  exit 1
fi
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
echo "== Starting $program"
exec "$exe"
