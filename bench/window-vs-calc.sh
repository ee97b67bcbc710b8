#!/usr/bin/env bash
# The calculation of a 500-property study as the engineer waits for it: in
# the window under a real X server (Xvfb), from Ctrl+G to the results window
# on the screen, against `pyrostat calc` of the same study as a whole
# process. Both run in turns, RUNS times each; each run is checked (the
# results window shown, the command's formulas written and its status 0).
# Usage: bench/window-vs-calc.sh BUILD [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-7}
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb xdotool)"; exit 2; }
done
work=$(mktemp -d)
export PYROSTAT_HOME="$work/home"
export XDG_CONFIG_HOME="$work/config"
python3 "$root/bench/building500.py" "$work/b500.txt"
"$build/pyrostat" convert "$work/b500.txt" "$work/b500.pyx" >/dev/null
display=:$((90 + RANDOM % 50))
Xvfb "$display" -screen 0 1400x1000x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; kill $app 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb
sleep 0.5
app=0
now() { date +%s%N; }
window=() calc=()
for i in $(seq "$runs"); do
  # The window: the study opened, then Ctrl+G until the results show.
  "$build/pyrostat" "$work/b500.pyx" >/dev/null 2>&1 &
  app=$!
  main=$(xdotool search --sync --onlyvisible --name "PYROSTAT" | head -1)
  xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
  sleep 0.3 # the study is read after the window shows
  start=$(now)
  xdotool key --window "$main" ctrl+g
  xdotool search --sync --onlyvisible --name "Ειδικοί Συντελεστές Ιδιοκτησίας" >/dev/null
  window+=($(( ($(now) - start) / 1000000 )))
  kill "$app"; wait "$app" 2>/dev/null || true
  # The command, whole.
  start=$(now)
  "$build/pyrostat" calc "$work/b500.pyx" >"$work/formulas.txt"
  calc+=($(( ($(now) - start) / 1000000 )))
  [ "$(grep -c . "$work/formulas.txt")" -ge 500 ] || { echo "calc wrote no formulas"; exit 1; }
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
w=$(median "${window[@]}")
c=$(median "${calc[@]}")
printf 'Ctrl+G to the results window (ms):  %s  (median %s)\n' "${window[*]}" "$w"
printf 'pyrostat calc, whole process (ms):  %s  (median %s)\n' "${calc[*]}" "$c"
printf 'window / command: %s\n' "$(echo "scale=2; $w / $c" | bc)"
