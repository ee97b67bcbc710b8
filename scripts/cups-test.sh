#!/bin/bash
# Printing through CUPS, end to end: a private cupsd (its own folder, socket
# and backend, nothing of the machine's printing is touched) with two
# file-backed queues; the input-data report of the sample study is printed on one of them
# by name, while the user's default printer is the other. The report's PDF
# must hold the report's text, the other queue must stay empty, and the
# user's default printer must be the same before and after.
#
#   scripts/cups-test.sh [BUILD_DIR]
#
# Skips (exit status 0, with the reason) when it cannot run here: no cupsd
# (set PYROSTAT_CUPS_INSTALL=1 to let it install Debian's cups-daemon and
# cups-client as root), no program, or a program without the print command.
# PYROSTAT_CUPS_KEEP=1 keeps the private folder, PYROSTAT_CUPS_LOGLEVEL=debug
# makes cupsd say more in its error_log there.
set -u

here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
program="$build/pyrostat"
study="$here/examples/sample.pyx"

skip() {
    echo "SKIP cups-test: $*"
    exit 0
}
fail() {
    echo "FAIL cups-test: $*"
    [ -n "${work:-}" ] && [ -f "$work/log/error_log" ] && tail -20 "$work/log/error_log"
    exit 1
}

if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
    if [ "${PYROSTAT_CUPS_INSTALL:-0}" = 1 ] && [ "$(id -u)" = 0 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
            cups-daemon cups-client >/dev/null 2>&1 ||
            skip "cups-daemon could not be installed"
    else
        skip "cupsd is not installed (PYROSTAT_CUPS_INSTALL=1 as root installs it)"
    fi
fi
command -v pdftotext >/dev/null || skip "pdftotext (poppler-utils) is not installed"
[ "$(id -u)" = 0 ] || skip "a private cupsd with file queues needs root here"
[ -x "$program" ] || skip "no program at $program (build it first)"
[ -f "$study" ] || skip "no sample study at $study"

work="$(mktemp -d /tmp/pyrostat-cups.XXXXXX)"
cupsd_pid=""
cleanup() {
    [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
    [ "${PYROSTAT_CUPS_KEEP:-0}" = 1 ] || rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work"/{etc/ppd,spool/tmp,state,cache,log,out,home,program,serverbin/backend}
# The queues' device: a backend of our own that writes the job, unchanged,
# to the file its URI names.
cat >"$work/serverbin/backend/pyrostatfile" <<'BACKEND'
#!/bin/sh
if [ $# -eq 0 ]; then
    echo 'direct pyrostatfile "Unknown" "Pyrostat test file"'
    exit 0
fi
out="${DEVICE_URI#pyrostatfile:}"
if [ $# -ge 6 ]; then cat "$6" >"$out"; else cat >"$out"; fi
BACKEND
chmod 0700 "$work/serverbin/backend/pyrostatfile"
# cupsd starts every backend through its helper.
mkdir -p "$work/serverbin/daemon"
ln -s /usr/lib/cups/daemon/cups-exec "$work/serverbin/daemon/cups-exec"
chmod 0777 "$work/out"
chmod 0755 "$work"
cat >"$work/etc/cupsd.conf" <<CONF
LogLevel ${PYROSTAT_CUPS_LOGLEVEL:-warn}
Listen $work/cups.sock
Browsing Off
DefaultAuthType None
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
ServerBin $work/serverbin
RequestRoot $work/spool
TempDir $work/spool/tmp
StateDir $work/state
CacheDir $work/cache
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
SystemGroup root
CONF

cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER="$work/cups.sock"
export HOME="$work/home"  # the per-user default lives in $HOME/.cups/lpoptions
for _ in $(seq 50); do
    [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1 && break
    sleep 0.1
done
lpstat -r >/dev/null 2>&1 || fail "the private cupsd did not start"

lpadmin -p PyrostatPdf -E -v "pyrostatfile:$work/out/report.pdf" -m raw >/dev/null 2>&1 ||
    fail "cannot add the queue PyrostatPdf"
lpadmin -p PyrostatOther -E -v "pyrostatfile:$work/out/other.prn" -m raw >/dev/null 2>&1 ||
    fail "cannot add the queue PyrostatOther"
lpoptions -d PyrostatOther >/dev/null || fail "cannot set the user's default printer"
before="$(lpstat -d)"

export PYROSTAT_HOME="$work/program"
export QT_QPA_PLATFORM=offscreen

# Wait until the queues are idle and the file of a queue has been written.
wait_for() {
    for _ in $(seq 100); do
        [ -z "$(lpstat -o 2>/dev/null)" ] && [ -s "$1" ] && return 0
        sleep 0.2
    done
    return 1
}

# 1. The print protocol over the real CUPS: a page printed by name through Qt,
#    the user's default printer the same while it prints and after.
if [ -x "$build/guitest_printing" ]; then
    PYROSTAT_CUPS_TEST_PRINTER=PyrostatPdf "$build/guitest_printing" \
        --gtest_filter='CupsPrintIntegration.*' >"$work/log/protocol.out" 2>&1 ||
        fail "the print protocol test failed: $(tail -20 "$work/log/protocol.out")"
    grep -q "SKIPPED" "$work/log/protocol.out" && fail "the print protocol test was skipped"
    wait_for "$work/out/report.pdf" || fail "the protocol test's page did not reach PyrostatPdf"
    [ -s "$work/out/other.prn" ] && fail "the protocol test's page went to the default printer"
    pdftotext "$work/out/report.pdf" - 2>/dev/null | grep -q "Μελετητής" ||
        fail "the protocol test's page does not hold its text"
    [ "$(lpstat -d)" = "$before" ] || fail "default printer changed: now $(lpstat -d)"
    echo "cups-test: print protocol over CUPS passed"
    rm -f "$work/out/report.pdf"
else
    echo "cups-test: no $build/guitest_printing; the protocol step is left out"
fi

# 2. The program itself prints the input-data report of the sample study.
"$program" report data "$study" --print PyrostatPdf >"$work/log/program.out" 2>&1
status=$?
if [ $status -ne 0 ] && grep -qiE "unknown|usage|χρήση|Χρήση|--print" "$work/log/program.out"; then
    skip "the program has no print command ('pyrostat report data STUDY --print PRINTER')"
fi
[ $status -eq 0 ] || fail "the print command failed: $(cat "$work/log/program.out")"
wait_for "$work/out/report.pdf" || fail "no output reached the queue PyrostatPdf"
[ -s "$work/out/other.prn" ] && fail "output went to the default printer PyrostatOther"

text="$(pdftotext "$work/out/report.pdf" - 2>/dev/null)"
echo "$text" | grep -q "Μελετητής" || fail "the printed PDF does not hold the report's text"
after="$(lpstat -d)"
[ "$before" = "$after" ] || fail "default printer changed: '$before' became '$after'"

echo "PASS cups-test: report printed on PyrostatPdf ($(stat -c %s "$work/out/report.pdf") bytes); default still: $after"
