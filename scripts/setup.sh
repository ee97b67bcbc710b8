#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when
# they are missing. Safe to run again.
set -euo pipefail
packages=(build-essential cmake pkg-config clang clang-format libclang-rt-14-dev
          qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl1-mesa-dev
          libgtest-dev libgmock-dev libbenchmark-dev libxlsxwriter-dev libcups2-dev
          libzip-dev zlib1g-dev libpugixml-dev libsqlite3-dev libpq-dev postgresql python3-openpyxl libreoffice-calc-nogui
          fonts-dejavu-core fonts-crosextra-carlito xvfb xauth poppler-utils xdg-utils python3 bc
          locales time appstream man-db groff-base lintian)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
