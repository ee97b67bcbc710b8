#!/usr/bin/env bash
# Installs the Debian package on a fresh Debian 12 and starts the program the
# way a desktop does: a minimal bookworm system made by debootstrap in a
# folder, the package installed there with apt (which brings Qt and the rest),
# then, inside it and under Xvfb, the program's desktop entry launched with
# `gio launch` on the bundled sample study. Passes when the window appears
# with its caption, and when `pyrostat calc` on the sample
# gives the same result files as this build does. Needs root.
#   scripts/fresh-install-test.sh [PACKAGE.deb] [ROOT_FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deb=${1:-$(ls "$root"/build-pkg/pyrostat_*_amd64.deb 2>/dev/null | head -n1)}
target=${2:-$root/build-fresh/root}
[ -n "$deb" ] && [ -f "$deb" ] || { echo "no package: run scripts/package.sh first" >&2; exit 2; }
[ "$(id -u)" = 0 ] || { echo "needs root (debootstrap and chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null || apt-get install -y debootstrap >/dev/null

if [ ! -x "$target/usr/bin/apt-get" ]; then
  echo "== debootstrap bookworm into $target"
  mkdir -p "$target"
  debootstrap --variant=minbase bookworm "$target" http://deb.debian.org/debian >/dev/null
fi
mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" 2>/dev/null || true; done
}
trap cleanup EXIT
for m in proc sys dev dev/pts; do
  if ! mountpoint -q "$target/$m"; then
    mount --bind "/$m" "$target/$m"
    mounted+=("$target/$m")
  fi
done
cp /etc/resolv.conf "$target/etc/resolv.conf"
in_root() { chroot "$target" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
  LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }

echo "== apt install $(basename "$deb") on the fresh system"
cp "$deb" "$target/tmp/pyrostat.deb"
in_root apt-get update -qq
in_root apt-get install -y -qq /tmp/pyrostat.deb >/dev/null
in_root dpkg -s pyrostat | grep -E '^(Status|Version):'
# Only to drive the desktop: an X server, the desktop's launcher and a window lister.
in_root apt-get install -y -qq --no-install-recommends xvfb xauth libglib2.0-bin x11-utils \
  x11-apps >/dev/null

echo "== the package as Debian checks it (lintian: no errors)"
command -v lintian >/dev/null || apt-get install -y -qq --no-install-recommends lintian >/dev/null
lintian --fail-on error --no-tag-display-limit "$deb"

echo "== the installed files"
for f in /usr/bin/pyrostat /usr/share/applications/pyrostat.desktop \
  /usr/share/icons/hicolor/scalable/apps/pyrostat.svg /usr/share/mime/packages/pyrostat-study.xml \
  /usr/share/man/man1/pyrostat.1.gz /usr/share/metainfo/gr.pyrostat.Pyrostat.metainfo.xml \
  /usr/share/doc/pyrostat/copyright; do
  in_root test -e "$f" || { echo "missing: $f" >&2; exit 1; }
  echo "   $f"
done
sample=/usr/share/pyrostat/PYXFiles/sample.pyx
in_root test -f "$sample" || { echo "missing: $sample" >&2; exit 1; }
echo "   sample study: $sample"
in_root sh -c "update-mime-database /usr/share/mime >/dev/null 2>&1 || true"
echo "== man pyrostat and the software centres' entry"
in_root apt-get install -y -qq --no-install-recommends man-db appstream >/dev/null
in_root sh -c "MANWIDTH=80 man pyrostat | grep -q 'ΚΑΤΑΣΤΑΣΗ ΕΞΟΔΟΥ'"
in_root appstreamcli validate --no-net /usr/share/metainfo/gr.pyrostat.Pyrostat.metainfo.xml

echo "== pyrostat calc on the sample, installed program against this build"
in_root rm -rf /root/pyro-calc
in_root env PYROSTAT_HOME=/root/pyro-calc pyrostat calc "$sample"
build=${PYROSTAT_BUILD:-$root/build}
if [ -x "$build/pyrostat" ]; then
  here=$(mktemp -d)
  PYROSTAT_HOME="$here" "$build/pyrostat" calc "$root/examples/$(basename "$sample")" >/dev/null
  for f in PYROSTAT.TMP "~mirttype.txt"; do
    cmp "$here/$f" "$target/root/pyro-calc/$f" || { echo "differs: $f" >&2; exit 1; }
    echo "   $f: same bytes"
  done
  rm -rf "$here"
fi

echo "== the desktop entry, launched under Xvfb"
in_root rm -rf /root/pyro-desktop
cat >"$target/tmp/launch.sh" <<SCRIPT
set -e
export PYROSTAT_HOME=/root/pyro-desktop
gio launch /usr/share/applications/pyrostat.desktop "$sample" &
for i in \$(seq 60); do
  sleep 0.5
  if xwininfo -root -tree | grep -q '"PYROSTAT'; then break; fi
done
xwininfo -root -tree | grep '"PYROSTAT' | head -n5
sleep 1
xwd -root -silent > /tmp/desktop.xwd
pkill -f /usr/bin/pyrostat || true
sleep 1
SCRIPT
in_root xvfb-run -a -s "-screen 0 1280x900x24" sh /tmp/launch.sh | tee "$target/tmp/windows.txt"
grep -q . "$target/tmp/windows.txt" || { echo "no program window appeared" >&2; exit 1; }
in_root test -f /root/pyro-desktop/Studies.std -o -d /root/pyro-desktop/PYXFiles ||
  { echo "the program folder was not seeded" >&2; exit 1; }
mkdir -p "$root/build-fresh"
command -v xwdtopnm >/dev/null || apt-get install -y -qq netpbm >/dev/null
xwdtopnm "$target/tmp/desktop.xwd" 2>/dev/null | pnmtopng >"$root/build-fresh/desktop.png"
echo "   screenshot: build-fresh/desktop.png"
echo "fresh install: passed"
