#!/usr/bin/env bash
# The floors of the program, lowest first: a source may include its own
# subsystem and those below it, never one above; only a gui/ folder may
# include Qt (any header of it) or another subsystem's gui/. The tests keep
# the same order as the sources they mirror (tests/<subsystem>/, its gui/
# for the windows); the fuzz targets and the core benchmarks stay in the
# core; only the bench_gui_ benchmarks may reach the windows. Prints every
# include that breaks this and fails when there is one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
floors=(program platform printing workspace studies distribution register reports billing app)
declare -A rank
for i in "${!floors[@]}"; do
  rank[${floors[$i]}]=$i
done
top=$((${#floors[@]} - 1))

# Qt's headers: <QWidget>, <QtCore/qobject.h>, <qglobal.h>, "ui_*.h".
is_qt() {
  [[ $1 =~ ^#include\ [\<\"](Q[A-Za-z0-9_]*|Qt[A-Za-z]*/[^\>\"]*|q[a-z0-9_]*\.h|ui_[^\>\"]*)[\>\"] ]]
}

bad=0
# check FILE SHOWN FLOOR GUI: FLOOR is the highest floor the file may include.
check() {
  local file=$1 shown=$2 floor=$3 gui=$4
  while IFS= read -r line; do
    local number=${line%%:*}
    local include=${line#*:}
    if is_qt "$include"; then
      if [[ $gui == 0 ]]; then
        echo "$shown:$number: Qt outside a gui folder: $include"
        bad=1
      fi
      continue
    fi
    [[ $include =~ ^#include\ \"([a-z]+)/(gui/)? ]] || continue
    local target=${BASH_REMATCH[1]}
    [[ -n ${rank[$target]+x} ]] || continue
    if ((rank[$target] > floor)); then
      echo "$shown:$number: includes a floor above it: $include"
      bad=1
    fi
    if [[ -n ${BASH_REMATCH[2]} && $gui == 0 ]]; then
      echo "$shown:$number: the core includes a window: $include"
      bad=1
    fi
  done < <(grep -n '^#include' "$file")
}

while IFS= read -r -d '' file; do
  relative=${file#"$root/"}
  inside=${relative#*/}
  sub=${inside%%/*}
  gui=0
  [[ $inside == */gui/* ]] && gui=1
  case $relative in
  src/* | tests/*)
    if [[ $relative == tests/* && -z ${rank[$sub]+x} ]]; then
      # The shared test support and the end-to-end road: any floor; the
      # windows for the road, and Qt for the test main of window tests.
      [[ $sub == e2e || $relative == tests/support/TestMain.cpp ]] && gui=1
      check "$file" "$relative" "$top" "$gui"
      continue
    fi
    [[ -n ${rank[$sub]+x} ]] || { echo "$relative: not in a known subsystem"; bad=1; continue; }
    check "$file" "$relative" "${rank[$sub]}" "$gui"
    ;;
  fuzz/*)
    check "$file" "$relative" "$top" 0
    ;;
  bench/*)
    [[ $(basename "$file") == bench_gui_* ]] && gui=1
    check "$file" "$relative" "$top" "$gui"
    ;;
  esac
done < <(find "$root/src" "$root/tests" "$root/fuzz" "$root/bench" \( -name '*.cpp' -o -name '*.h' \) -print0)
if ((bad)); then
  echo "check-layers: includes run against the order of the floors (${floors[*]})" >&2
  exit 1
fi
echo "check-layers: every include keeps to the order of the floors"
