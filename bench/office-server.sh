#!/usr/bin/env bash
# An office's history (300 buildings × 10 years of monthly periods) moved from
# a desk's SQLite file to a private PostgreSQL server, and the buildings
# window's lines listed on both. Usage: bench/office-server.sh BUILD (a
# Release build with the benchmarks: scripts/bench.sh makes build-bench).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?BUILD}
folder=$(mktemp -d /tmp/pyrostat-bench-pg.XXXXXX)
trap 'bash "$root/scripts/test-postgres.sh" stop "$folder"' EXIT
PYROSTAT_BENCH_POSTGRES=$(bash "$root/scripts/test-postgres.sh" start "$folder" durable)
export PYROSTAT_BENCH_POSTGRES
"$build/bench_history" --benchmark_filter='ThreeHundred|MoveOffice' --benchmark_repetitions=1
