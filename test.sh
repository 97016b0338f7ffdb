#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$root/tools/setup.sh"

tarnwick_install_packages "${TARNWICK_PACKAGES[@]}" "${TARNWICK_WEB_PACKAGES[@]}"
tarnwick_check_format "$root"
/usr/bin/python3 "$root/tools/check_layers.py" "$root"
tarnwick_build "$root"

# Qt needs a private runtime folder; tests run headless.
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen

cd "$root/build"
ctest --output-on-failure -j "$(nproc)" --timeout 300
echo "== Figures from the end-to-end run"
grep -h -E '^((editor )?start to window shown|idle play|editor idle|resident memory|sound )' Testing/Temporary/LastTest.log || true

# The Debian package: lintian, desktop-file-validate and appstreamcli on it,
# then unpacked and played by an unprivileged user, who also plays a
# read-only copy of build/bin. What he saw is kept in build/capturas/.
echo "== The Debian package, checked and played as a player"
package_started=$SECONDS
tarnwick_package "$root"
/usr/bin/python3 "$root/tests/package/test_package.py" "$root"/build/tarnwick_*_amd64.deb "$root/build/bin" \
  "$root/build/capturas"
echo "== The package tests took $((SECONDS - package_started)) s"

# The Windows programs, cross-built into build-windows/, and their tests
# under Wine: the rules' unit tests, one end-to-end test per program and
# one of the game's sounds.
echo "== Windows build and tests"
windows_started=$SECONDS
tarnwick_build_windows "$root"
(cd "$root/build-windows" && ctest --output-on-failure -j "$(nproc)" --timeout 300)
grep -h -E '^(fresh Wine prefix|(editor )?start to window shown under Wine|idle play|editor idle|sound |parity, )' "$root/build-windows/Testing/Temporary/LastTest.log" || true
echo "== The Windows build and tests took $((SECONDS - windows_started)) s"

# The browser's pages and programs, built with Emscripten into build-web/,
# and their unit tests, run under node.
echo "== Browser build and tests"
web_started=$SECONDS
tarnwick_build_web "$root"
(cd "$root/build-web" && ctest --output-on-failure -j "$(nproc)" --timeout 600)
grep -h -E '^((editor )?start to window shown|idle play|editor idle|resident memory|sound |parity, |storage)' \
  "$root/build-web/Testing/Temporary/LastTest.log" || true
echo "== The browser build and tests took $((SECONDS - web_started)) s"

# The unit tests and fuzz replays again under the address and
# undefined-behaviour sanitizers, in build-san/.
echo "== Sanitizer build and tests"
tarnwick_build_sanitized "$root"
tarnwick_test_sanitized "$root"

# A short coverage-guided run of every file reader, built with clang on the side.
"$root/fuzz/run.sh" "$root" 15
