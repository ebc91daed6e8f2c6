#!/usr/bin/env bash
# Checks that the folders of src/ are the build's targets, and the layering
# of src/ from its #include lines:
# - each folder directly under src/ builds one target (an interface library
#   for headers beside it aside), and its subfolders add sources to that
#   target and build none of their own;
# - every source and header under src/ is named in its own folder's
#   CMakeLists.txt, so no file sits in a folder whose target does not build it;
# - the include graph between the folders has no cycle;
# - nothing under src/server includes a Qt Widgets header or a header of the
#   component (partition_settings/).
# Prints what breaks a rule and exits 1; silent and 0 when all hold.
set -euo pipefail
cd "$(dirname "$0")/../src"

# The folder a source file or an included "folder/Header.h" belongs to.
folder_of() {
    case "$1" in
    */*) echo "${1%%/*}" ;;
    esac
}

failed=0

# Targets a CMakeLists.txt builds, interface libraries left out.
targets_built() {
    grep -oE '^[[:space:]]*add_(library|executable)\([^ )]+( [A-Z]+)?' "$1" | grep -v ' INTERFACE$' |
        sed -E 's/.*\(([^ )]+).*/\1/' || true
}

for dir in */; do
    dir=${dir%/}
    [ -f "$dir/CMakeLists.txt" ] || { echo "check-layers: src/$dir has no CMakeLists.txt" >&2; failed=1; continue; }
    count=$(targets_built "$dir/CMakeLists.txt" | wc -l)
    if [ "$count" -ne 1 ]; then
        echo "check-layers: src/$dir builds $count targets; a folder is one target" >&2
        failed=1
    fi
    target=$(targets_built "$dir/CMakeLists.txt" | head -n1)
    while read -r sub; do
        [ -n "$sub" ] || continue
        if [ -n "$(targets_built "$sub/CMakeLists.txt")" ]; then
            echo "check-layers: src/$sub builds a target of its own inside src/$dir" >&2
            failed=1
        fi
        if ! grep -qE "target_sources\(${target}[[:space:])]" "$sub/CMakeLists.txt"; then
            echo "check-layers: src/$sub does not add its sources to ${target}, the target of src/$dir" >&2
            failed=1
        fi
    done < <(find "$dir" -mindepth 1 -type d | sort)
done

while read -r file; do
    list="$(dirname "$file")/CMakeLists.txt"
    if [ ! -f "$list" ] || ! grep -qwF "$(basename "$file")" "$list"; then
        echo "check-layers: src/$file is not named in $list" >&2
        failed=1
    fi
done < <(find . -mindepth 2 -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) | sed 's|^\./||' | sort)

# Edges "from to" between folders, one per include of another folder.
edges=$(
    grep -rE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"/]+/' . |
        sed -E 's|^\./([^:]+):[^"]*"([^"]+)".*|\1 \2|' |
        while read -r file header; do
            from=$(folder_of "$file")
            to=$(folder_of "$header")
            if [ -n "$to" ] && [ "$from" != "$to" ]; then
                echo "$from $to"
            fi
        done | sort -u
)
if ! cycle=$(printf '%s\n' "$edges" | tsort 2>&1 >/dev/null) || [ -n "$cycle" ]; then
    echo "check-layers: the folders under src/ include each other in a cycle:" >&2
    printf '%s\n' "$cycle" | grep -v 'input contains a loop' | sed 's/^tsort: /  /' >&2
    failed=1
fi

# Qt Widgets' headers: those of the installed QtWidgets module, or the usual ones.
widgets_dir="$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || true)/QtWidgets"
if [ -d "$widgets_dir" ]; then
    widgets=$(find "$widgets_dir" -maxdepth 1 -type f -name 'Q*' ! -name '*.h' -printf '%f\n' | paste -sd '|')
else
    widgets='QWidget|QDialog|QMessageBox|QApplication|QLabel|QLineEdit|QComboBox|QPushButton|QFrame|QScrollBar'
fi
if grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"](QtWidgets(/[^>\"]*)?|(${widgets}))[>\"]" server >&2; then
    echo "check-layers: src/server includes Qt Widgets headers (above)." >&2
    failed=1
fi
if grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"partition_settings/' server >&2; then
    echo "check-layers: src/server includes headers of the component (above)." >&2
    failed=1
fi
exit "$failed"
