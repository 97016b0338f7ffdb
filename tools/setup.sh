#!/usr/bin/env bash
# Shared by test.sh and play.sh: install what a fresh Debian 12 machine lacks,
# then configure and build into build/. Sourced, not run.

TARNWICK_PACKAGES=(
  build-essential cmake ninja-build ccache
  qt6-base-dev qt6-multimedia-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation
  xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick
  python3-pyatspi at-spi2-core dbus-daemon
  clang libclang-rt-14-dev
)

tarnwick_install_packages() {
  local missing=()
  local p
  for p in "${TARNWICK_PACKAGES[@]}"; do
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

tarnwick_build() {
  local root="$1"
  export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
  cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || return 1
  cmake --build "$root/build" -j "$(nproc)" || return 1
}
