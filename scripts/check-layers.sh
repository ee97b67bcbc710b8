#!/usr/bin/env bash
# The floors of the program, lowest first: a source may include its own
# subsystem and those below it, never one above; only a gui/ folder may
# include Qt or another subsystem's gui/. Prints every include that breaks
# this and fails when there is one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
floors=(program platform printing workspace studies distribution register reports billing app)
declare -A rank
for i in "${!floors[@]}"; do
  rank[${floors[$i]}]=$i
done

bad=0
while IFS= read -r -d '' file; do
  relative=${file#"$root/src/"}
  sub=${relative%%/*}
  [[ -n ${rank[$sub]+x} ]] || { echo "$relative: not in a known subsystem"; bad=1; continue; }
  gui=0
  [[ $relative == */gui/* ]] && gui=1
  while IFS= read -r line; do
    number=${line%%:*}
    include=${line#*:}
    if [[ $include =~ ^#include\ \<Q ]]; then
      if [[ $gui == 0 ]]; then
        echo "$relative:$number: Qt outside a gui folder: $include"
        bad=1
      fi
      continue
    fi
    [[ $include =~ ^#include\ \"([a-z]+)/(gui/)? ]] || continue
    target=${BASH_REMATCH[1]}
    [[ -n ${rank[$target]+x} ]] || continue
    if ((rank[$target] > rank[$sub])); then
      echo "$relative:$number: includes a floor above it: $include"
      bad=1
    fi
    if [[ -n ${BASH_REMATCH[2]} && $gui == 0 ]]; then
      echo "$relative:$number: the core includes a window: $include"
      bad=1
    fi
  done < <(grep -n '^#include' "$file")
done < <(find "$root/src" \( -name '*.cpp' -o -name '*.h' \) -print0)
if ((bad)); then
  echo "check-layers: includes run against the order of the floors (${floors[*]})" >&2
  exit 1
fi
echo "check-layers: every include keeps to the order of the floors"
