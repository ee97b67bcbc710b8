#!/usr/bin/env bash
# Times the bill of a period of a 500-property building, end to end as a user
# runs it: `pyrostat bill` from the study (calculated on the way) and the
# readings, with the tab-separated bill only, then with the period's sheet
# (PDF and .xlsx), the 500 notices to one PDF, and one PDF per property, the
# notices addressed to their owners with the building's payment details.
# Prints the median of each and the peak memory; a run that fails stops it.
# Usage: bench/bill-500.sh [BUILD] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-7}
pyrostat="$build/pyrostat"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PYROSTAT_HOME="$work/home"

python3 "$root/bench/building500.py" "$work/b500.txt" "$work/readings.txt"
"$pyrostat" convert "$work/b500.txt" "$work/b500.pyx" >/dev/null

# The owners and the payment details the notices are addressed with.
for i in $(seq 500); do printf '%d\tΙδιοκτήτης %d\towner%d@example.gr\n' "$i" "$i" "$i"; done \
    >"$work/owners.tsv"
"$pyrostat" building "$work/b500.pyx" --owners "$work/owners.tsv" \
    --iban "GR16 0110 1250 0000 0001 2300 695" --manager "Διαχείριση" --phone 2610123456 \
    --days 20 >/dev/null

bill=("$pyrostat" bill "$work/b500.pyx" "$work/readings.txt" --cost 48250,00 --from 15/10/2026
      --to 30/04/2027)

# Milliseconds of one run of a command.
elapsed() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>"$work/err.txt" || {
        echo "bill-500: $* failed: $(tail -n 3 "$work/err.txt")" >&2
        exit 1
    }
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

run() {
    local label=$1
    shift
    local times=()
    for _ in $(seq "$runs"); do
        times+=("$(elapsed "$@")")
    done
    local peak
    peak=$(/usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1)
    printf '%-40s median %5d ms   peak %4d MiB\n' "$label" \
        "$(printf '%s\n' "${times[@]}" | median)" $((peak / 1024))
}

run "bill, tab-separated only" "${bill[@]}" --tsv "$work/bill.tsv"
run "bill, sheet PDF + .xlsx" "${bill[@]}" --pdf "$work/sheet.pdf" --xlsx "$work/sheet.xlsx"
run "bill, 500 notices to one PDF" "${bill[@]}" --notices "$work/notices.pdf"
run "bill, 500 notices one PDF each" "${bill[@]}" --notices-dir "$work/each"
run "bill, sheet + .xlsx + both notices" "${bill[@]}" --pdf "$work/sheet.pdf" \
    --xlsx "$work/sheet.xlsx" --notices "$work/notices.pdf" --notices-dir "$work/each"
files=$(find "$work/each" -name '*.pdf' | wc -l)
[ "$files" = 500 ] || { echo "bill-500: $files notice files, not 500" >&2; exit 1; }
echo "pages: sheet $(pdfinfo "$work/sheet.pdf" 2>/dev/null | awk '/^Pages/ {print $2}')," \
     "notices $(pdfinfo "$work/notices.pdf" 2>/dev/null | awk '/^Pages/ {print $2}')," \
     "files of the notices $files ($(du -sk "$work/each" | cut -f1) KiB)"
