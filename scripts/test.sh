#!/usr/bin/env bash
# Sets up the machine, checks the layering of src/, builds the project with
# warnings as errors, syntax-checks every source of src/ for Windows
# (scripts/check-windows.sh) and runs every test headless, the install and
# packaging test among them; then runs the host end to
# end in a virtual X server (scripts/e2e.sh); then builds the core and rowset
# tests and the replay of the rowset fuzz seeds (fuzz/seeds) under
# AddressSanitizer and UndefinedBehaviorSanitizer and runs them.
# The server tests run on SQLite and on a throwaway PostgreSQL 15 cluster
# (scripts/pg-cluster.sh) that lives as long as this script, however it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
bash scripts/check-layers.sh
cmake --preset default -DPARTITION_SETTINGS_WERROR=ON -DBUILD_BENCHMARKS=ON
cmake --build --preset default
bash scripts/check-windows.sh build/default

pg_dir=$(mktemp -d)
trap 'bash scripts/pg-cluster.sh stop "$pg_dir" || true; rm -rf "$pg_dir"' EXIT
PARTITION_SETTINGS_TEST_PG=$(bash scripts/pg-cluster.sh start "$pg_dir")
export PARTITION_SETTINGS_TEST_PG
ctest --preset default
bash scripts/e2e.sh build/default
cmake --preset asan -DPARTITION_SETTINGS_WERROR=ON
cmake --build --preset asan
ctest --preset asan
