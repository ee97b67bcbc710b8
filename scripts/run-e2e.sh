#!/usr/bin/env bash
# Runs the end-to-end test (the engineer's whole road through the windows) in
# a virtual X server, so that the windows are shown and painted for real.
# Usage: scripts/run-e2e.sh path/to/e2e_tests [gtest options]
set -u
if [ $# -lt 1 ]; then
  echo "usage: $0 E2E_TESTS [gtest options]" >&2
  exit 2
fi
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "SKIPPED: xvfb-run is not installed (Debian package xvfb): the end-to-end test needs an X server"
  exit 0
fi
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
# Qt's own file dialogs, which the test types into (a desktop theme could
# swap in the native ones of another toolkit).
unset QT_QPA_PLATFORMTHEME
exec xvfb-run -a -s "-screen 0 1400x1000x24" "$@"
