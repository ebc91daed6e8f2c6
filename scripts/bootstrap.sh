#!/usr/bin/env bash
# Installs what the project needs to build, run and test on a Debian machine,
# the X server, input tool and SQLite shell of scripts/e2e.sh included, and
# the PostgreSQL 15 server whose throwaway cluster scripts/test.sh starts,
# Python's jsonschema that checks exported files against their schema,
# mingw-w64's g++ that compiles the Windows half (scripts/check-windows.sh);
# with --fuzz also clang and its libFuzzer and sanitizer runtimes
# (scripts/fuzz.sh).
# Does nothing when every package is already present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libgl-dev
  libpugixml-dev libsqlite3-dev
  fonts-wine fonts-dejavu-core
  xvfb xdotool sqlite3
  python3-jsonschema
  postgresql-15
  g++-mingw-w64-x86-64-posix
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "bootstrap: missing packages: ${missing[*]}; run as root or install them." >&2
  exit 1
fi

echo "bootstrap: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
