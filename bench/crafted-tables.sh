#!/usr/bin/env bash
# Reads each crafted table (nesting 50,000 deep, shared-text and XML-node
# bombs, rows repeated to the sheet's end, five million empty lines) with
# `pyrostat convert` and prints its peak memory and time; fails when one
# takes more than 100 MB or a second. Usage: bench/crafted-tables.sh BUILD
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/tests/tools/make_tables.py" "$work" crafted
export PYROSTAT_HOME="$work/home"
status=0
printf '%-20s %8s %10s %8s  %s\n' file status "peak MB" seconds outcome
for f in "$work"/*.ods "$work"/*.xlsx "$work"/*.csv; do
  set +e
  /usr/bin/time -f '%M %e' -o "$work/time" "$build/pyrostat" convert "$f" "$work/out.pyx" \
    >/dev/null 2>"$work/err"
  code=$?
  set -e
  read -r kb secs < <(tail -n 1 "$work/time")
  mb=$((kb / 1024))
  outcome=$(head -c 90 "$work/err" | tr '\n' ' ')
  printf '%-20s %8s %10s %8s  %s\n' "$(basename "$f")" "$code" "$mb" "$secs" "${outcome:-read}"
  if [ "$mb" -gt 100 ] || [ "$(echo "$secs > 1" | bc)" = 1 ]; then
    status=1
  fi
done
exit $status
