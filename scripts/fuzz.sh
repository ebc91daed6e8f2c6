#!/usr/bin/env bash
# Fuzzes the rowset reader, against its reference copy (fuzz/reference), for
# SECONDS seconds (default 60) with libFuzzer,
# under AddressSanitizer and UndefinedBehaviorSanitizer: builds the fuzz
# preset with clang (installing it first when missing), starts from the
# checked-in seeds (fuzz/seeds) and the inputs kept by earlier runs
# (build/fuzz/corpus), and prints libFuzzer's final statistics. A finding is
# written to build/fuzz/findings/ and ends the run with a non-zero status;
# replay it with build/fuzz/fuzz/fuzz_rowset FILE.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/bootstrap.sh --fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus build/fuzz/findings
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
build/fuzz/fuzz/fuzz_rowset -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
  -dict=fuzz/rowset.dict -artifact_prefix=build/fuzz/findings/ build/fuzz/corpus fuzz/seeds
