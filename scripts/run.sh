#!/usr/bin/env bash
# Sets up the machine, builds the host and opens the Partition Settings dialog
# on the embedded sample store. Arguments are passed to the host, e.g.
#   bash scripts/run.sh --config 1 --partition 2 --menu-option r
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake --preset release >/dev/null
cmake --build --preset release --target partition-settings
exec build/release/src/host/partition-settings "$@"
