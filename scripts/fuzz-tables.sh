#!/bin/sh
# Fuzzes the table engine's table and memo parsers for the given number of
# seconds (60 by default): scripts/fuzz-tables.sh 3600 makes a longer run.
# Needs the sanitize build (cmake --preset sanitize && cmake --build --preset
# sanitize). New inputs go to build/sanitize/fuzz-corpus; a finding is written
# to build/sanitize/fuzz-findings and fails the run.
set -eu
cd "$(dirname "$0")/.."
seconds="${1:-60}"
out=build/sanitize
mkdir -p "$out/fuzz-corpus" "$out/fuzz-findings"
"$out/tests/export/dbase_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$out/fuzz-findings/" -print_final_stats=1 \
  "$out/fuzz-corpus" tests/export/dbase/fuzz_corpus >"$out/fuzz.log" 2>&1 || {
  tail -n 60 "$out/fuzz.log"
  echo "fuzz-tables: the fuzzer found a fault; the input is in $out/fuzz-findings"
  exit 1
}
grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$out/fuzz.log" || true
echo "fuzz-tables: no finding in $seconds seconds"
