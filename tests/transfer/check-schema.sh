#!/usr/bin/env bash
# Exports the sample configuration and a configuration of generated
# partitions with the host and validates both files against the format's
# JSON Schema with a real validator (Python's jsonschema, Draft 2020-12); a
# file with an unknown field must fail the same check.
#   check-schema.sh HOST SCHEMA
set -euo pipefail
host=$1
schema=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VELANTIS_COMMON_APPDATA=$work VELANTIS_REGISTRY_FILE=$work/registry.json QT_QPA_PLATFORM=offscreen

validate() {
  /usr/bin/python3 - "$schema" "$1" <<'PY'
import json, sys, jsonschema
schema = json.load(open(sys.argv[1], encoding="utf-8"))
document = json.load(open(sys.argv[2], encoding="utf-8"))
jsonschema.Draft202012Validator.check_schema(schema)
errors = list(jsonschema.Draft202012Validator(schema).iter_errors(document))
for error in errors:
    print("/" + "/".join(str(p) for p in error.absolute_path) + ": " + error.message)
sys.exit(1 if errors else 0)
PY
}

"$host" --export "$work/sample.json"
"$host" --export "$work/second.json" --config 2
validate "$work/sample.json"
validate "$work/second.json"
sed 's/"TimeLimit"/"Colour": 1, "TimeLimit"/' "$work/sample.json" > "$work/wrong.json"
if validate "$work/wrong.json" > "$work/wrong.txt"; then
  echo "check-schema: a file with an unknown field passed the schema" >&2
  exit 1
fi
grep -q "Additional properties are not allowed ('Colour' was unexpected)" "$work/wrong.txt"
echo "check-schema: the exports pass the schema, a wrong file does not"
