#!/usr/bin/env bash
# Compiles the Windows half of the product without building it for Windows:
# every source under src/ is syntax-checked by mingw-w64's g++ for the
# x86_64-w64-mingw32 target, with the include paths, definitions, language
# standard and warning flags its own entry of the compile database gives
# (warnings are errors here too), so the code behind _WIN32 and Q_OS_WIN, the
# registry and shell calls, the entry points and the COM declarations of
# VEL_PART_SET.h are compiled. Qt's headers are the build's (Linux) ones,
# read for the Windows target.
# It also checks that the Windows export list (VEL_PART_SET.def) names the
# entry points the ELF export list names, and no other symbol.
# What it cannot check: that anything links or runs on Windows.
#
# Usage: scripts/check-windows.sh [build folder]   (default build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
compiler=x86_64-w64-mingw32-g++-posix
database=$build/compile_commands.json

if [ ! -f "$database" ]; then
    echo "check-windows: $database is missing; configure the build first." >&2
    exit 1
fi
command -v "$compiler" >/dev/null || { echo "check-windows: $compiler is missing (scripts/bootstrap.sh)." >&2; exit 1; }

# pugixml's headers sit in /usr/include, which the cross compiler must not
# search as a whole (glibc's headers are there): a folder of their own.
outside_headers=$(mktemp -d)
trap 'rm -rf "$outside_headers"' EXIT
ln -s /usr/include/pugixml.hpp /usr/include/pugiconfig.hpp "$outside_headers"/

# One line per source of src/: the source, then its flags for the Windows
# target, separated by the control character 0x01.
windows_commands() {
    python3 - "$database" "$PWD/src/" <<'EOF'
import json, shlex, sys
database, source_root = sys.argv[1], sys.argv[2]
kept_prefixes = ("-I", "-isystem", "-D", "-std=", "-W", "-f")
dropped = {"-fPIC", "-fPIE", "-fdiagnostics-color=always"}
for entry in json.load(open(database)):
    source = entry["file"]
    if not source.startswith(source_root):
        continue
    words = shlex.split(entry["command"]) if "command" in entry else entry["arguments"]
    flags, pending = [], None
    for word in words[1:]:
        if pending:
            flags += [pending, word]
            pending = None
        elif word in ("-isystem", "-I", "-D"):
            pending = word
        elif word.startswith(kept_prefixes) and word not in dropped and not word.startswith("-fsanitize"):
            flags.append(word)
    sys.stdout.write("\x01".join([source] + flags) + "\n")
EOF
}

# Compiles one source; says so when it fails.
check_source() {
    local source=$1
    shift
    (cd "$(dirname "$source")" &&
        "$compiler" -fsyntax-only -Werror "$@" -isystem "$outside_headers" "$source") ||
        { echo "check-windows: ${source#"$PWD/"} does not compile for Windows" >&2; return 1; }
}

failed=0
checked=0
running=0
jobs_at_once=$(nproc)
while IFS=$'\x01' read -r -a fields; do
    if [ "$running" -ge "$jobs_at_once" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
    check_source "${fields[@]}" &
    running=$((running + 1))
    checked=$((checked + 1))
done < <(windows_commands)
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done

# Each library's .def list against its ELF list: both name the same entry points.
for def in src/*/*.def; do
    map=${def%.def}.map
    def_names=$(awk '/^EXPORTS/{on=1; next} on && NF {print $1}' "$def" | sort)
    map_names=$(sed -n '/global:/,/local:/p' "$map" | grep -oE '^[[:space:]]+[A-Za-z_]+;' | tr -d ' ;' | sort)
    if [ "$def_names" != "$map_names" ]; then
        echo "check-windows: $def exports" $def_names "but $map" $map_names >&2
        failed=1
    fi
done

if [ "$checked" -eq 0 ]; then
    echo "check-windows: no source of src/ in $database" >&2
    exit 1
fi
[ "$failed" -eq 0 ] && echo "check-windows: $checked sources compile for Windows"
exit "$failed"
