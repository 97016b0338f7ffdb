#!/usr/bin/env bash
# Shared by test.sh, play.sh and the tools: install what a fresh Debian 12
# machine lacks, then configure and build into build/ (build-windows/ and
# build-web/ for Windows and the browser). Sourced, not run.

TARNWICK_PACKAGES=(
  build-essential cmake ninja-build ccache
  qt6-base-dev qt6-base-private-dev qt6-multimedia-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation
  xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick xclip openbox
  python3-pyatspi at-spi2-core dbus-daemon
  pulseaudio pulseaudio-utils
  clang libclang-rt-14-dev clang-format
  g++-mingw-w64-x86-64-posix wine wine64 fonts-wine
  dpkg-dev file lintian desktop-file-utils appstream procps
)
# The browser build (tarnwick_build_web): Emscripten and GoogleTest's sources
# for the programs and tests, fontTools with Brotli for the pages' fonts,
# Chromium and a DevTools client for the tests that drive the pages.
TARNWICK_WEB_PACKAGES=(
  cmake ninja-build ccache googletest
  emscripten
  fonts-liberation python3-fonttools python3-brotli
  chromium python3-websocket
)

# tarnwick_install_packages [PACKAGE...]: installs those of the packages
# given (by default TARNWICK_PACKAGES) that are missing.
tarnwick_install_packages() {
  local wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${TARNWICK_PACKAGES[@]}")
  local missing=()
  local p
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; return 1; }
    sudo="sudo"
  fi
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq || return 1
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || return 1
}

# tarnwick_check_format ROOT: fails, naming the files, when a C++ source
# drifts from .clang-format; clang-format -i on them mends it.
tarnwick_check_format() {
  local drift
  # grep finds nothing when all is well: not a failure under set -e.
  drift=$(cd "$1" && git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run 2>&1 |
    { grep -oE '^[^:]+\.(cpp|h)' || true; } | sort -u)
  [ -z "$drift" ] && return 0
  echo "== Not formatted as .clang-format says (clang-format -i mends them):" >&2
  echo "$drift" >&2
  return 1
}

# tarnwick_ccache ROOT: one cache for every build of every clone: paths
# under ROOT are hashed relative to it, so a fresh clone compiles from the
# cache that another one filled.
tarnwick_ccache() {
  export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$1}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
}

# tarnwick_build ROOT [TARGET...]: configures build/ and builds the targets
# given, or everything (programs, tests, benchmarks, fuzz replays).
tarnwick_build() {
  local root="$1"
  shift
  tarnwick_ccache "$root"
  echo "== Configuring build/"
  cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || return 1
  echo "== Building ${*:-everything}"
  cmake --build "$root/build" -j "$(nproc)" ${1:+--target} "$@" || return 1
}

# tarnwick_build_web ROOT [TARGET...]: installs what the browser build
# needs if missing, configures build-web/ with Emscripten and builds the
# targets given, or everything (the pages in build-web/site/, the unit tests,
# which CTest runs under node).
tarnwick_build_web() {
  local root="$1"
  shift
  tarnwick_install_packages "${TARNWICK_WEB_PACKAGES[@]}" || return 1
  tarnwick_ccache "$root"
  # emcc runs JavaScript tools that need Debian's node modules (acorn).
  export NODE_PATH=/usr/share/nodejs
  echo "== Configuring build-web/"
  # emcmake's own emulator flag is one node 18 and later refuse; without
  # fetch, node reads the .wasm beside a test program from the disk.
  emcmake cmake -S "$root" -B "$root/build-web" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CROSSCOMPILING_EMULATOR="/usr/bin/node;--no-experimental-fetch" >/dev/null || return 1
  echo "== Building for the browser: ${*:-everything}"
  cmake --build "$root/build-web" -j "$(nproc)" ${1:+--target} "$@" || return 1
}

# tarnwick_package ROOT: the Debian package of build/, made by CPack from
# the install rules: build/tarnwick_<version>_amd64.deb.
tarnwick_package() {
  local root="$1"
  echo "== Packing build/tarnwick_*_amd64.deb"
  rm -f "$root"/build/tarnwick_*_amd64.deb
  (cd "$root/build" && cpack -G DEB >/dev/null) || return 1
}

# tarnwick_build_windows ROOT: cross-builds the Windows programs and their
# tests into build-windows/, then packs build-windows/Tarnwick-windows.zip:
# a folder "Tarnwick" with the programs (stripped), maps, sounds and the
# starter character.
tarnwick_build_windows() {
  local root="$1" out="$1/build-windows"
  tarnwick_ccache "$root"
  echo "== Configuring build-windows/"
  cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null || return 1
  echo "== Building the Windows programs and tests"
  cmake --build "$out" -j "$(nproc)" || return 1
  rm -rf "$out/package" "$out/Tarnwick-windows.zip"
  cmake --install "$out" --prefix "$out/package/Tarnwick" >/dev/null || return 1
  # The players' folder holds the two programs and their data, nothing the tests built.
  local held
  held=$(cd "$out/package/Tarnwick" && echo *)
  if [ "$held" != "TarnwickEdit.exe TarnwickQuest.exe mapas personajes sonidos" ]; then
    echo "The Windows folder holds $held" >&2
    return 1
  fi
  x86_64-w64-mingw32-strip "$out"/package/Tarnwick/*.exe || return 1
  (cd "$out/package" && cmake -E tar cf ../Tarnwick-windows.zip --format=zip Tarnwick) || return 1
  echo "== Windows folder: $out/bin; to copy to Windows: $out/Tarnwick-windows.zip"
}

# The test programs that need no display, and the fuzz replays, built with
# the address and undefined-behaviour sanitizers into build-san/. The window
# tests mostly drive Qt, which is not instrumented; they stay in build/.
TARNWICK_SANITIZED_TARGETS=(
  mapformat_tests media_tests game_tests editor_tests platform_tests
  fuzz_map_replay fuzz_wav_replay
)
# Qt and fontconfig keep allocations until exit that are not ours; any
# undefined behaviour stops the program with a stack trace.
TARNWICK_SANITIZER_ENV=(
  ASAN_OPTIONS=detect_leaks=0
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
)

tarnwick_build_sanitized() {
  local root="$1"
  local san="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
  tarnwick_ccache "$root"
  # -O1 and no NDEBUG: quicker to build than -O2, reports closer to the source.
  cmake -S "$root" -B "$root/build-san" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_FLAGS="$san" \
    -DCMAKE_EXE_LINKER_FLAGS="$san" -DCMAKE_SHARED_LINKER_FLAGS="$san" \
    -DTARNWICK_BENCH=OFF >/dev/null || return 1
  # Building runs each test program once to list its cases, so the
  # sanitizer settings apply here too.
  env "${TARNWICK_SANITIZER_ENV[@]}" cmake --build "$root/build-san" \
    -j "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" --target "${TARNWICK_SANITIZED_TARGETS[@]}" || return 1
}

# Runs the cases of the programs built above; the programs left unbuilt show
# up as "<name>_NOT_BUILT" and the end-to-end tests carry the e2e label.
tarnwick_test_sanitized() {
  local root="$1"
  (cd "$root/build-san" &&
     env "${TARNWICK_SANITIZER_ENV[@]}" QT_QPA_PLATFORM=offscreen \
       ctest --output-on-failure --no-tests=error -j "$(nproc)" --timeout 300 -E '_NOT_BUILT$' -LE e2e)
}
