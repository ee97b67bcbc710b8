#!/usr/bin/env bash
# Builds the Debian package of the program (build-pkg/pyrostat_*.deb): a
# release build installed under /usr, with its data, manual, desktop entry,
# icon and the MIME type of study files.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
dir="$root/build-pkg"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DPYROSTAT_TESTS=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)"
(cd "$dir" && cpack -G DEB)
ls "$dir"/*.deb
