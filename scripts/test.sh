#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors, runs every test,
# then builds the tests again with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs them too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
jobs=$(nproc)

# Every source in the project's format.
find "$root/src" "$root/tests" "$root/bench" "$root/fuzz" \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror
# Every include keeps to the order of the floors.
bash "$root/scripts/check-layers.sh"

# The history's tests run on a file and on a private PostgreSQL server,
# started here in a folder of its own and stopped at the end.
pg_folder=$(mktemp -d /tmp/pyrostat-pg.XXXXXX)
trap 'bash "$root/scripts/test-postgres.sh" stop "$pg_folder"' EXIT
if connection=$(bash "$root/scripts/test-postgres.sh" start "$pg_folder"); then
  export PYROSTAT_TEST_POSTGRES="$connection"
else
  echo "Ο διακομιστής PostgreSQL των δοκιμών δεν ξεκίνησε: οι δοκιμές του παραλείπονται." >&2
fi

# Optimised as shipped, without the debugging symbols (a third of the time to
# build); the sanitizer build below keeps them for its reports.
"$root/scripts/build.sh" "$root/build-ci" -DPYROSTAT_WERROR=ON \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG"
(cd "$root/build-ci" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

# Printing over a real CUPS: a private cupsd with file-backed queues (installed
# when missing); skips with its reason when it cannot run here.
PYROSTAT_CUPS_INSTALL=1 bash "$root/scripts/cups-test.sh" "$root/build-ci"

"$root/scripts/build.sh" "$root/build-asan" -DPYROSTAT_WERROR=ON -DPYROSTAT_SANITIZE=ON \
  -DPYROSTAT_GUI=OFF -DCMAKE_BUILD_TYPE=Debug
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp" UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j"$jobs")
