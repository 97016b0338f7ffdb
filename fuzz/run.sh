#!/usr/bin/env bash
# Builds every fuzz target with clang, libFuzzer and the address and
# undefined-behaviour sanitizers, and runs each for the given seconds from
# its stored corpus. Usage: fuzz/run.sh <project root> [seconds per target]
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
seconds="${2:-15}"
out="$root/build-fuzz"
mkdir -p "$out"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$root")
launcher=()
command -v ccache >/dev/null && launcher=(ccache)
numbers="$root/mapformat/numbers.cpp"
failed=0

# fuzz <name> <seed folders...> -- <sources...>
fuzz() {
  local name="$1"; shift
  local seeds=()
  while [ "$1" != "--" ]; do seeds+=("$1"); shift; done
  shift
  "${launcher[@]}" clang++ "${flags[@]}" -o "$out/$name" "$@"
  # Work on a copy so a run never changes the stored corpus.
  local work
  work="$(mktemp -d)"
  mkdir -p "$work/corpus"
  local s f
  for s in "${seeds[@]}"; do
    find "$s" -type f | while read -r f; do cp "$f" "$work/corpus/$(echo "$f" | md5sum | cut -c1-12)"; done
  done
  echo "== Fuzzing $name for ${seconds}s"
  local status=0
  (cd "$work" && "$out/$name" -max_total_time="$seconds" -max_len=8192 \
     ${FUZZ_DICT:+-dict="$FUZZ_DICT"} corpus >"$work/log" 2>&1) || status=$?
  grep -E '^#[0-9]+.*DONE|ERROR|SUMMARY' "$work/log" | tail -n 3 || true
  if [ "$status" -ne 0 ] || ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* >/dev/null 2>&1; then
    mkdir -p "$out/findings"
    cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$out/findings/" 2>/dev/null || true
    echo "Fuzzing $name found a failing input; see build-fuzz/findings/" >&2
    failed=1
  fi
  rm -rf "$work"
}

FUZZ_DICT="$root/fuzz/map.dict" fuzz map_fuzz "$root/fuzz/corpus/map" "$root/mapformat/tests/cases" -- \
  "$root/fuzz/map_fuzz.cpp" "$numbers" "$root"/mapformat/{mapdata,reader,writer}.cpp
fuzz character_fuzz "$root/fuzz/corpus/character" -- \
  "$root/fuzz/character_fuzz.cpp" "$root/game/personaje.cpp" "$numbers"
fuzz roundtrip_fuzz "$root/fuzz/corpus/roundtrip" -- \
  "$root/fuzz/roundtrip_fuzz.cpp" "$numbers" "$root"/mapformat/{mapdata,reader,writer}.cpp
exit "$failed"
