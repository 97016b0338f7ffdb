#!/usr/bin/env bash
# Makes the browser's pages: installs what is missing (Emscripten and the
# rest of TARNWICK_WEB_PACKAGES), builds build-web/site/ and packs its
# contents into build-web/Tarnwick-web.zip, index.html at the zip's root,
# ready for any static web host.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/tools/setup.sh"
tarnwick_build_web "$root"
out="$root/build-web"
if [ ! -f "$out/site/index.html" ]; then
  echo "== No pages were built into $out/site (this tree has no browser front end); nothing to pack"
  exit 0
fi
rm -f "$out/Tarnwick-web.zip"
(cd "$out/site" && cmake -E tar cf ../Tarnwick-web.zip --format=zip -- *)
echo "== Browser pages: $out/site (./play.sh web serves them on http://localhost:8080/)"
echo "== To upload to a static web host: $out/Tarnwick-web.zip"
