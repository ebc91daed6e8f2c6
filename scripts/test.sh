#!/usr/bin/env bash
# Sets up the machine, checks the layering of src/, builds the project with
# warnings as errors and runs every test headless; then runs the host end to
# end in a virtual X server (scripts/e2e.sh); then builds the core and rowset
# tests and the replay of the rowset fuzz seeds (fuzz/seeds) under
# AddressSanitizer and UndefinedBehaviorSanitizer and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
bash scripts/check-layers.sh
cmake --preset default -DPARTITION_SETTINGS_WERROR=ON
cmake --build --preset default
ctest --preset default
bash scripts/e2e.sh build/default/src/host/partition-settings
cmake --preset asan -DPARTITION_SETTINGS_WERROR=ON
cmake --build --preset asan
ctest --preset asan
