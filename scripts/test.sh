#!/usr/bin/env bash
# Sets up the machine, builds the project and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake --preset default
cmake --build --preset default
ctest --preset default
