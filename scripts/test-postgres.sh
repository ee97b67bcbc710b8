#!/usr/bin/env bash
# A private PostgreSQL server for the tests: `start FOLDER` makes a new
# cluster in FOLDER (initdb as an unprivileged user when run as root), listens
# only on a Unix socket in FOLDER, and prints the connection for
# PYROSTAT_TEST_POSTGRES; `stop FOLDER` stops it. Two roles: `pyrostat`, the
# tests' owner of everything (no password, over the socket only), and `desk`,
# whose password is checked, for the tests of a password refused. The tests'
# server does not wait for the disk (fsync off); `start FOLDER durable` does,
# as an office's server would (for the benchmarks). `restart FOLDER` stops it
# at once, as a crash or a power cut would, and starts it again. The port is
# PYROSTAT_PG_PORT, else 54329.
set -euo pipefail
command=${1:?start|restart|stop}
folder=${2:?folder}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
  echo "Δεν είναι εγκατεστημένος ο διακομιστής PostgreSQL (πακέτο postgresql)." >&2
  exit 3
fi
as_owner() {
  if [ "$(id -u)" = 0 ]; then
    runuser -u nobody -- "$@"
  else
    "$@"
  fi
}
port=${PYROSTAT_PG_PORT:-54329}
fsync=off
if [ "${3:-}" = durable ]; then fsync=on; fi
case "$command" in
  start)
    mkdir -p "$folder"
    if [ "$(id -u)" = 0 ]; then chown nobody "$folder"; fi
    chmod 0755 "$folder"
    as_owner "$bin/initdb" -D "$folder/data" -U pyrostat --auth=trust --encoding=UTF8 \
      --locale=C.UTF-8 >"$folder/initdb.log" 2>&1 ||
      { cat "$folder/initdb.log" >&2; exit 1; }
    as_owner sh -c "cat > '$folder/data/pg_hba.conf'" <<'HBA'
local all desk scram-sha-256
local all all trust
HBA
    # Its own socket folder and port, no network, kept in its settings so
    # that a restart finds them.
    as_owner sh -c "cat >> '$folder/data/postgresql.conf'" <<CONF
unix_socket_directories = '$folder'
listen_addresses = ''
port = $port
fsync = $fsync
max_connections = 60
CONF
    as_owner "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 start \
      >/dev/null || { cat "$folder/server.log" >&2; exit 1; }
    "$bin/psql" -q -h "$folder" -p "$port" -U pyrostat -d postgres \
      -c "CREATE ROLE desk LOGIN PASSWORD 'desk-secret'" >/dev/null
    echo "host=$folder port=$port user=pyrostat"
    ;;
  restart)
    as_owner "$bin/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null || true
    as_owner "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 start >/dev/null ||
      { cat "$folder/server.log" >&2; exit 1; }
    ;;
  stop)
    if [ -f "$folder/data/postmaster.pid" ]; then
      as_owner "$bin/pg_ctl" -D "$folder/data" -m fast -w stop >/dev/null || true
    fi
    rm -rf "$folder"
    ;;
  *)
    echo "start|restart|stop" >&2
    exit 2
    ;;
esac
