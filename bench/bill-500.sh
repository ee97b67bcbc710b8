#!/usr/bin/env bash
# Times the bill of a period of a 500-property building, end to end as a user
# runs it: `pyrostat bill` from the study (calculated on the way) and the
# readings, with the tab-separated bill only, then with the period's sheet
# (PDF and .xlsx) and the 500 notices (PDF). Prints the median of each and the
# peak memory. Usage: bench/bill-500.sh [BUILD] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-7}
pyrostat="$build/pyrostat"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PYROSTAT_HOME="$work/home"

python3 - "$work/b500.txt" "$work/readings.txt" <<'PY'
import random, sys
random.seed(500)
kinds = ["PILOTIS ΚΑΤΩ", "ΙΣΟΓΕΙΟ", "ΥΠΟΓ.-ΗΜΙΫΠΟΓ.", "ΕΝΔΙΑΜΕΣΟ", "ΡΕΤΙΡΕ"]
pipes = ["ΕΚΤΟΣ ΙΔΙΟΚΤ.", "ΕΝΤΟΣ ΙΔΙΟΚΤ.", "ΑΛΛΗ ΠΕΡΙΠΤ."]
lines = ["# ΤΙΤΛΟΣ\tΠολυκατοικία 500 ιδιοκτησιών", "# ΜΟΝΩΣΗ\tΝΑΙ",
         "# ΕΡΓΟΔΟΤΗΣ\tΙδιοκτήτες", "# ΕΡΓΟ\tΚατανομή θέρμανσης", "# ΘΕΣΗ ΕΡΓΟΥ\tΠάτρα"]
readings = []
for i in range(500):
    t = random.randint(2000, 9000)
    lines.append("\t".join(["Διαμέρισμα %d" % (i + 1), "%d.00" % t, "%d.00" % (t // 6),
                            "%d.00" % (t // 10), "%.2f" % random.uniform(40, 130), "3.00",
                            "%.2f" % random.uniform(1, 20), "%.2f" % random.uniform(0, 8),
                            "%.2f" % random.uniform(0, 12), random.choice(kinds),
                            random.choice(pipes)]))
    previous = random.randint(0, 20000)
    line = "%d\t%d\t%d" % (i + 1, previous, previous + random.randint(0, 2500))
    if i % 40 == 0:
        line += "\tκλειστό"
    readings.append(line)
open(sys.argv[1], "w", encoding="utf-8").write("\r\n".join(lines) + "\r\n")
open(sys.argv[2], "w", encoding="utf-8").write("\n".join(readings) + "\n")
PY
"$pyrostat" convert "$work/b500.txt" "$work/b500.pyx" >/dev/null

bill=("$pyrostat" bill "$work/b500.pyx" "$work/readings.txt" --cost 48250,00 --from 15/10/2026
      --to 30/04/2027)

# Milliseconds of one run of a command.
elapsed() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
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
run "bill, sheet PDF + .xlsx + 500 notices" "${bill[@]}" --pdf "$work/sheet.pdf" \
    --xlsx "$work/sheet.xlsx" --notices "$work/notices.pdf"
"${bill[@]}" --notices "$work/notices.pdf" >/dev/null 2>&1
echo "pages: sheet $(pdfinfo "$work/sheet.pdf" 2>/dev/null | awk '/^Pages/ {print $2}')," \
     "notices $(pdfinfo "$work/notices.pdf" 2>/dev/null | awk '/^Pages/ {print $2}')"
