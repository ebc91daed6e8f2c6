#!/usr/bin/env bash
# Checks the layering of src/ from its #include lines:
# - the include graph between the folders has no cycle; rules/, dialog/ and
#   data/loaders/ count as one folder, the component, the one place where
#   they include each other;
# - nothing under src/server includes a Qt Widgets header or a header of the
#   form (dialog/) or of the rules object (rules/).
# Prints what breaks a rule and exits 1; silent and 0 when all hold.
set -euo pipefail
cd "$(dirname "$0")/../src"

# The folder a source file or an included "folder/Header.h" belongs to.
folder_of() {
    case "$1" in
    rules/* | dialog/* | data/loaders/*) echo component ;;
    */*) echo "${1%%/*}" ;;
    esac
}

failed=0

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
if grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"(dialog|rules)/' server >&2; then
    echo "check-layers: src/server includes headers of the form or the rules object (above)." >&2
    failed=1
fi
exit "$failed"
