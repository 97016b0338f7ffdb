#!/usr/bin/env bash
# Installs what is missing, builds the two programs, and starts the game (or
# the editor: ./play.sh editor). ./play.sh web builds the browser's pages
# instead and serves them on this machine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$root/tools/setup.sh"

case "${1:-game}" in
  editor) program="TarnwickEdit" ;;
  game|"") program="TarnwickQuest" ;;
  web) program="" ;;
  *) echo "usage: ./play.sh [editor|web]" >&2; exit 2 ;;
esac

if [ -z "$program" ]; then
  # The build of tools/web.sh; the pages need only static files served.
  tarnwick_build_web "$root"
  site="$root/build-web/site"
  if [ ! -f "$site/index.html" ]; then
    echo "No pages were built into $site; see the build output above." >&2
    exit 1
  fi
  echo "== Serving $site (Ctrl+C stops it)"
  echo "== The game:   http://localhost:8080/"
  echo "== The editor: http://localhost:8080/editor.html"
  exec /usr/bin/python3 -m http.server 8080 --bind 127.0.0.1 --directory "$site"
fi

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
