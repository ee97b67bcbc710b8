#!/usr/bin/env bash
# Times each report of a 500-property building, end to end as a user runs it
# (`pyrostat report KIND STUDY --pdf`), against LibreOffice Calc headless
# printing the same sheet (our .xlsx of it) to PDF, and prints the medians and
# their ratio. Usage: bench/report-vs-libreoffice.sh [BUILD] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-7}
pyrostat="$build/pyrostat"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PYROSTAT_HOME="$work/home"

python3 "$root/bench/building500.py" "$work/b500.txt"
"$pyrostat" convert "$work/b500.txt" "$work/b500.pyx" >/dev/null

# Milliseconds of one run of a command.
elapsed() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

printf '%-10s %12s %16s %8s\n' report "pyrostat ms" "LibreOffice ms" ratio
for kind in formulas table data; do
    "$pyrostat" report "$kind" "$work/b500.pyx" --xlsx "$work/$kind.xlsx" >/dev/null 2>&1
    # LibreOffice's first start builds its profile: not counted.
    soffice --headless -env:UserInstallation="file://$work/lo-profile" --convert-to pdf \
        --outdir "$work/lo" "$work/$kind.xlsx" >/dev/null 2>&1
    # Taken in turns, three of ours to one of LibreOffice's, so that a busy
    # moment of the machine weighs on both; each side's median counts.
    : >"$work/ours.ms"
    : >"$work/theirs.ms"
    for _ in $(seq "$runs"); do
        for _ in 1 2 3; do
            elapsed "$pyrostat" report "$kind" "$work/b500.pyx" --pdf "$work/$kind.pdf" \
                >>"$work/ours.ms"
        done
        elapsed soffice --headless -env:UserInstallation="file://$work/lo-profile" \
            --convert-to pdf --outdir "$work/lo" "$work/$kind.xlsx" >>"$work/theirs.ms"
    done
    ours=$(median <"$work/ours.ms")
    theirs=$(median <"$work/theirs.ms")
    printf '%-10s %12s %16s %8s\n' "$kind" "$ours" "$theirs" \
        "$(awk -v a="$theirs" -v b="$ours" 'BEGIN {printf "%.1f", a / b}')"
done
