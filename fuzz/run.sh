#!/usr/bin/env bash
# Builds the fuzz targets of fuzz.cpp with clang, libFuzzer and the sanitizers and runs it
# for the given seconds from a copy of its seeds. Usage: fuzz/run.sh <root> [seconds each]
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
seconds="${2:-15}"
out="$root/build-fuzz"
mkdir -p "$out/findings"
failed=0

fuzz() {
  local name="$1" work status=0
  shift
  $(command -v ccache || true) clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined -I"$root" -D"$name" -o "$out/${name,,}" "$root/fuzz/fuzz.cpp" \
    "$root"/mapformat/{mapdata,numbers,reader,writer}.cpp "$root/media/wavfile.cpp"
  work="$(mktemp -d)"
  mkdir "$work/corpus"
  find "$@" -type f -exec cp --backup=numbered -t "$work/corpus" {} +
  echo "== Fuzzing $name for ${seconds}s"
  (cd "$work" && "$out/${name,,}" -max_total_time="$seconds" -max_len=8192 \
    ${FUZZ_DICT:+-dict="$FUZZ_DICT"} corpus >log 2>&1) || status=$?
  grep -E '^#[0-9]+.*DONE|ERROR|SUMMARY' "$work/log" | tail -n 3 || true
  if [ "$status" -ne 0 ]; then
    cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$out/findings/" 2>/dev/null || true
    echo "Fuzzing $name found a failing input; see build-fuzz/findings/" >&2
    failed=1
  fi
  rm -rf "$work"
}

FUZZ_DICT="$root/fuzz/map.dict" fuzz FUZZ_MAP "$root/fuzz/corpus/map" "$root/mapformat/tests/cases"
fuzz FUZZ_WAV "$root/assets/sonidos"
exit "$failed"
