#!/usr/bin/env bash
# Builds every fuzz target with clang, libFuzzer and the address and
# undefined-behaviour sanitizers, and runs each for the given seconds from
# the stored corpus. Usage: fuzz/run.sh <project root> [seconds]
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
seconds="${2:-20}"
out="$root/build-fuzz"
mkdir -p "$out"

flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$root")
launcher=()
command -v ccache >/dev/null && launcher=(ccache)

"${launcher[@]}" clang++ "${flags[@]}" -o "$out/map_fuzz" \
  "$root/fuzz/map_fuzz.cpp" "$root"/mapformat/{numbers,mapdata,reader,writer}.cpp

# Work on a copy so a run never changes the stored corpus.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus"
cp "$root"/fuzz/corpus/map/* "$work/corpus/"
for f in "$root"/mapformat/tests/cases/*/map.mapa; do
  cp "$f" "$work/corpus/$(basename "$(dirname "$f")").mapa"
done

echo "== Fuzzing the map reader for ${seconds}s"
status=0
(cd "$work" && "$out/map_fuzz" -max_total_time="$seconds" -max_len=8192 \
   -dict="$root/fuzz/map.dict" -print_final_stats=1 corpus >"$work/log" 2>&1) || status=$?
grep -E '^(stat::number_of_executed_units|stat::new_units_added)|ERROR|SUMMARY' "$work/log" || true
if ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* >/dev/null 2>&1; then
  mkdir -p "$root/build-fuzz/findings" && cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$root/build-fuzz/findings/" 2>/dev/null || true
  echo "Fuzzing found a failing input; copied to build-fuzz/findings/" >&2
  exit 1
fi
exit "$status"
