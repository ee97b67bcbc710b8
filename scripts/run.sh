#!/usr/bin/env bash
# Installs what is needed, builds, and runs the program. With a display the
# main window opens; without one the program calculates the bundled sample
# study and prints its distribution formulas.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DPYROSTAT_TESTS=OFF
export PYROSTAT_HOME=${PYROSTAT_HOME:-$root/build/home}
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$root/build/pyrostat" "$@"
fi
exec "$root/build/pyrostat" calc "$root/examples/sample.pyx"
