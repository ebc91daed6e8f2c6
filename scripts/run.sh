#!/usr/bin/env bash
# Sets up the machine, builds the host and the component library, registers
# the library and opens the Partition Settings dialog on the embedded sample
# store. Arguments are passed to the host, e.g.
#   bash scripts/run.sh --config 1 --partition 2 --menu-option r
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake --preset release >/dev/null
cmake --build --preset release --target partition-settings
# The host loads the component through the registry: register the one just built.
build/release/src/host/partition-settings --register
exec build/release/src/host/partition-settings "$@"
