#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Runs CMD with a throw-away PostgreSQL 15 server: a new cluster in a temporary
# folder, listening on 127.0.0.1 only on a free port, trust authentication, one
# database vorenx_test, and a role vorenx_locked that must give a password. CMD sees
#   VORENX_TEST_POSTGRES=postgresql://postgres@127.0.0.1:PORT/vorenx_test
# and VORENX_TEST_POSTGRES_CONTROL, a script that stops and starts the server.
# The server is stopped and its folder removed whatever happens. As root
# (initdb and postgres refuse to run as root) the server runs as the
# `postgres` user. Exits with CMD's status, or 70 when the server cannot start.
# Usage: with-postgres.sh CMD [ARGS...]
set -uo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 CMD [ARGS...]" >&2
  exit 64
fi

bin=${VORENX_PG_BIN:-/usr/lib/postgresql/15/bin}
if [ ! -x "$bin/initdb" ]; then
  echo "with-postgres: no PostgreSQL 15 in $bin (run scripts/setup.sh)" >&2
  exit 70
fi

as_server=()
if [ "$(id -u)" -eq 0 ]; then as_server=(runuser -u postgres --); fi

dir=$(mktemp -d /tmp/vorenx-pg.XXXXXX)
[ "$(id -u)" -eq 0 ] && chown postgres:postgres "$dir"
chmod 700 "$dir"

cleanup() {
  if [ -f "$dir/data/postmaster.pid" ]; then
    "${as_server[@]}" "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 ||
      "${as_server[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1
  fi
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
  echo "with-postgres: $*" >&2
  [ -f "$dir/server.log" ] && tail -n 20 "$dir/server.log" >&2
  exit 70
}

"${as_server[@]}" "$bin/initdb" -D "$dir/data" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 \
  >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; fail "initdb failed"; }

# One role asks for its password, so that the tests can see a login refused.
sed -i '1i host all vorenx_locked 127.0.0.1/32 scram-sha-256' "$dir/data/pg_hba.conf"

# A port nobody listens on; another program may take it between the check
# and the start, so a failed start tries the next one.
port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
started=""
for _ in 1 2 3 4 5 6 7 8; do
  port=$((20000 + RANDOM % 40000))
  port_in_use "$port" && continue
  if "${as_server[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
       -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=on" start >/dev/null 2>&1; then
    started=$port
    break
  fi
done
[ -n "$started" ] || fail "the server did not start"

"$bin/psql" -X -q -h 127.0.0.1 -p "$started" -U postgres -d postgres -v ON_ERROR_STOP=1 \
  -c "CREATE DATABASE vorenx_test" -c "CREATE ROLE vorenx_locked LOGIN PASSWORD 'right'" >/dev/null ||
  fail "cannot create the test database"

# The tests that lose the server mid-run stop and start it with this script.
control="$dir/server.sh"
cat >"$control" <<EOF
#!/usr/bin/env bash
# server.sh stop|start: the throw-away server, stopped at once or started again.
case "\$1" in
  stop) ${as_server[*]} "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop ;;
  start) ${as_server[*]} "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \\
           -o "-c listen_addresses=127.0.0.1 -p $started -k $dir -c fsync=on" start ;;
  *) echo "usage: \$0 stop|start" >&2; exit 64 ;;
esac
EOF
chmod 755 "$control"
export VORENX_TEST_POSTGRES_CONTROL="$control"
export VORENX_TEST_POSTGRES="postgresql://postgres@127.0.0.1:$started/vorenx_test"
echo "with-postgres: PostgreSQL on 127.0.0.1:$started ($VORENX_TEST_POSTGRES)" >&2
"$@"
