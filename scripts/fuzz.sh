#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (seconds per target, default 60), starting from the seed corpus in fuzz/corpus.
# Not part of the test command. Findings land in build-fuzz/findings/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
"$root/scripts/setup.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -DPYROSTAT_FUZZ=ON -DPYROSTAT_GUI=OFF \
  -DPYROSTAT_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build-fuzz" -j"$(nproc)"
mkdir -p "$root/build-fuzz/findings"
status=0
for target in "$root"/build-fuzz/fuzz_*; do
  name=$(basename "$target")
  corpus="$root/build-fuzz/corpus/${name#fuzz_}"
  mkdir -p "$corpus"
  seeds="$root/fuzz/corpus/${name#fuzz_}"
  echo "== $name ($seconds s)"
  if ! "$target" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$root/build-fuzz/findings/$name-" "$corpus" "$seeds" 2>&1 |
       grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss|cov:|==[0-9]+==ERROR|SUMMARY)' | tail -5; then
    :
  fi
  if ls "$root/build-fuzz/findings/$name-"* >/dev/null 2>&1; then
    echo "   findings: $(ls "$root/build-fuzz/findings/$name-"* | wc -l)"
    status=1
  fi
done
exit $status
