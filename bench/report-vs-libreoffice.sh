#!/usr/bin/env bash
# Our reports of a 500-property building against LibreOffice Calc headless
# printing the same sheets (our .xlsx of them) to PDF. Two comparisons:
#
#   whole  one report as a whole process, what a user waits for: `pyrostat
#          report table STUDY --pdf` against `soffice --convert-to pdf
#          table.xlsx`;
#   more   the cost of one more 500-property sheet in a process that makes
#          several: (three sheets in one run − one sheet in one run) / 2 on
#          each side (`pyrostat report formulas,table,data` against one
#          soffice call converting the three workbooks).
#
# The two sides run in turns, round after round, so that a busy moment of the
# machine weighs on both. Every run's exit status, file and page count is
# checked (each side's PDF has the pages the other's has); the script fails on
# the first that is wrong. Times are medians of the rounds (one more sheet: the
# median of each round's own difference), memory the largest
# peak resident size of the rounds (/usr/bin/time).
#
# Usage: bench/report-vs-libreoffice.sh [BUILD] [ROUNDS]   (a Release build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
rounds=${2:-7}
pyrostat="$build/pyrostat"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PYROSTAT_HOME="$work/home"
profile="file://$work/lo-profile"
kinds=(formulas table data)

python3 "$root/bench/building500.py" "$work/b500.txt"
"$pyrostat" convert "$work/b500.txt" "$work/b500.pyx" >/dev/null
# The workbooks LibreOffice prints, and our page counts to hold both sides to.
mkdir -p "$work/in" "$work/ref"
"$pyrostat" report formulas,table,data "$work/b500.pyx" --xlsx "$work/in/sheet.xlsx" \
    --pdf "$work/ref/sheet.pdf" >/dev/null
declare -A pages
for kind in "${kinds[@]}"; do
    pages[$kind]=$(pdfinfo "$work/ref/sheet-$kind.pdf" | awk '/^Pages:/ {print $2}')
done
# LibreOffice's first start builds its profile: not counted.
soffice --headless -env:UserInstallation="$profile" --convert-to pdf --outdir "$work/warm" \
    "$work/in/sheet-table.xlsx" >/dev/null 2>&1

fail() {
    echo "report-vs-libreoffice: $*" >&2
    exit 1
}

# Runs a command under /usr/bin/time; appends "milliseconds kilobytes" to the
# file named first; fails when the command fails.
measure() {
    local into=$1
    shift
    local start end
    start=$(date +%s%N)
    /usr/bin/time -f '%M' -o "$work/time.txt" "$@" >"$work/out.txt" 2>&1 ||
        fail "$* failed: $(tail -n 3 "$work/out.txt")"
    end=$(date +%s%N)
    echo "$(((end - start) / 1000000)) $(tail -n 1 "$work/time.txt")" >>"$into"
}

# The PDF made for KIND in DIR must be there with the reference's pages.
check() {
    local file=$1 kind=$2 count
    [ -s "$file" ] || fail "$file was not written"
    count=$(pdfinfo "$file" | awk '/^Pages:/ {print $2}')
    [ "$count" = "${pages[$kind]}" ] || fail "$file has $count pages, not ${pages[$kind]}"
    rm -f "$file"
}

ours_one() {
    measure "$work/ours1" "$pyrostat" report table "$work/b500.pyx" --pdf "$work/o1/sheet.pdf"
    check "$work/o1/sheet.pdf" table
}
ours_three() {
    measure "$work/ours3" "$pyrostat" report formulas,table,data "$work/b500.pyx" \
        --pdf "$work/o3/sheet.pdf"
    for kind in "${kinds[@]}"; do check "$work/o3/sheet-$kind.pdf" "$kind"; done
}
theirs_one() {
    measure "$work/theirs1" soffice --headless -env:UserInstallation="$profile" \
        --convert-to pdf --outdir "$work/t1" "$work/in/sheet-table.xlsx"
    check "$work/t1/sheet-table.pdf" table
}
theirs_three() {
    measure "$work/theirs3" soffice --headless -env:UserInstallation="$profile" \
        --convert-to pdf --outdir "$work/t3" "$work/in/sheet-formulas.xlsx" \
        "$work/in/sheet-table.xlsx" "$work/in/sheet-data.xlsx"
    for kind in "${kinds[@]}"; do check "$work/t3/sheet-$kind.pdf" "$kind"; done
}

mkdir -p "$work/o1" "$work/o3"
for round in $(seq "$rounds"); do
    # Who starts alternates from round to round.
    if ((round % 2)); then
        ours_one; theirs_one; ours_three; theirs_three
    else
        theirs_one; ours_one; theirs_three; ours_three
    fi
done

median() { awk '{print $1}' "$1" | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
peak() { awk '$2 > m {m = $2} END {printf "%.0f", m / 1024}' "$1"; }

o1=$(median "$work/ours1"); o3=$(median "$work/ours3")
t1=$(median "$work/theirs1"); t3=$(median "$work/theirs3")
# One more sheet: each round's own difference, then the median of the rounds.
more() {
    paste "$1" "$2" | awk '{print ($3 - $1) / 2}' | sort -n |
        awk '{v[NR]=$1} END {m = v[int((NR+1)/2)]; printf "%d", (m < 1 ? 1 : m)}'
}
omore=$(more "$work/ours1" "$work/ours3"); tmore=$(more "$work/theirs1" "$work/theirs3")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.1f", a / b}'; }

echo "500 properties, $rounds rounds in turns, medians (ms) and peak memory (MB)"
printf '%-34s %10s %14s %8s\n' "" pyrostat LibreOffice ratio
printf '%-34s %10s %14s %8s\n' "one report (table), whole process" "$o1" "$t1" "$(ratio "$t1" "$o1")"
printf '%-34s %10s %14s %8s\n' "three reports in one run" "$o3" "$t3" "$(ratio "$t3" "$o3")"
printf '%-34s %10s %14s %8s\n' "one more sheet in that run" "$omore" "$tmore" "$(ratio "$tmore" "$omore")"
printf '%-34s %10s %14s\n' "peak memory, one report" "$(peak "$work/ours1")" "$(peak "$work/theirs1")"
printf '%-34s %10s %14s\n' "peak memory, three reports" "$(peak "$work/ours3")" "$(peak "$work/theirs3")"
