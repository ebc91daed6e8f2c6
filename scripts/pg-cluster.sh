#!/usr/bin/env bash
# A throwaway PostgreSQL 15 cluster for the tests, reachable only through a
# Unix socket in its own folder: no TCP port is opened, so the port number
# only names the socket file and cannot clash with another server. Durability
# is off (fsync, synchronous commit) unless PG_CLUSTER_DURABLE=1, which the
# benchmarks set to measure what a real server does.
#
#   pg-cluster.sh start DIR   creates and starts a cluster in DIR (a new,
#                             empty folder) and prints its connection URI
#   pg-cluster.sh stop DIR    stops it; DIR is left for the caller to remove
#
# initdb and postgres refuse to run as root: as root, both run as the
# `postgres` system user, who then owns DIR.
set -euo pipefail

bin=/usr/lib/postgresql/15/bin
port=5433

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case "${1:-}" in
start)
  dir=$2
  if [ "$(id -u)" -eq 0 ]; then chown postgres: "$dir"; fi
  as_owner "$bin/initdb" -D "$dir/data" -U postgres -E UTF8 --locale=C -A trust >"$dir/initdb.log" 2>&1 ||
    { cat "$dir/initdb.log" >&2; exit 1; }
  durability="-c fsync=off -c synchronous_commit=off"
  if [ "${PG_CLUSTER_DURABLE:-0}" = 1 ]; then durability=""; fi
  as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 start \
    -o "-c listen_addresses='' -k $dir -p $port -c max_connections=60 $durability" \
    >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
  echo "postgresql:///postgres?host=$dir&port=$port&user=postgres"
  ;;
stop)
  dir=$2
  if [ -f "$dir/data/postmaster.pid" ]; then
    as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null
  fi
  ;;
*)
  echo "usage: $0 start|stop DIR" >&2
  exit 2
  ;;
esac
