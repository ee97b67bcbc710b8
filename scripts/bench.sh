#!/usr/bin/env bash
# Builds and runs every benchmark of the project and prints one table:
# the calculation of 500 properties, save and open of a 500-row study, the
# study browser with 2,000 studies, the reports of 500 properties to PDF and
# .xlsx, and the program's start to the first painted window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
dir="$root/build-bench"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DPYROSTAT_BENCHMARKS=ON -DPYROSTAT_TESTS=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" >/dev/null
export QT_QPA_PLATFORM=offscreen
out=$(mktemp -d)
printf '%-58s %14s\n' "benchmark" "time per run"
printf '%-58s %14s\n' "---------" "------------"
for b in "$dir"/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  "$b" --benchmark_format=csv --benchmark_min_time=0.5 2>/dev/null >"$out/$(basename "$b").csv" || true
  tail -n +2 "$out/$(basename "$b").csv" | while IFS=, read -r name iters real cpu unit rest; do
    name=${name//\"/}
    case "$name" in name|"") continue ;; esac
    printf '%-58s %10.3f %s\n' "$name" "$real" "$unit"
  done
done
# Start-up: from the command to the first painted window (grabbed to a PNG).
export PYROSTAT_HOME="$out/home"
"$dir/pyrostat" --screenshot "$out/first.png" >/dev/null 2>&1 || true
total=0
runs=5
for _ in $(seq $runs); do
  start=$(date +%s%N)
  "$dir/pyrostat" --screenshot "$out/start.png" >/dev/null 2>&1 || true
  end=$(date +%s%N)
  total=$((total + end - start))
done
printf '%-58s %10.3f ms\n' "program start to first painted window (offscreen)" \
  "$(echo "$total / $runs / 1000000" | bc -l)"
rm -rf "$out"
