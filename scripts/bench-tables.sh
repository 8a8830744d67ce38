#!/bin/sh
# Benchmark of the table engine: reads a generated SOLUC table of a million
# rows (or ROWS) as the export does, beside `cat` of the same file, three
# times each, with the peak memory of each run. Not part of the test suite.
#
#   scripts/bench-tables.sh [ROWS]
set -eu
cd "$(dirname "$0")/.."
rows="${1:-1000000}"
cmake --preset native >/dev/null
cmake --build --preset native --target dbase_bench >/dev/null
bench=build/native/bench/dbase_bench
folder=build/native/bench/tables
mkdir -p "$folder"
"$bench" make "$folder" "$rows"
file="$folder/SOLUC.DBF"
echo "table: $file, $rows rows, $(wc -c <"$file") bytes"
cat "$file" >/dev/null  # into the page cache, for both readers alike
bytes=$(wc -c <"$file")
for run in 1 2 3; do
  start=$(date +%s%N)
  cat "$file" >/dev/null
  end=$(date +%s%N)
  awk -v ns=$((end - start)) -v bytes="$bytes" -v rows="$rows" \
    'BEGIN { s = ns / 1e9; printf "cat: seconds %.3f  rows/s %.0f  MB/s %.1f\n", s, rows / s, bytes / 1e6 / s }'
done
for run in 1 2 3; do
  /usr/bin/time -f "engine: peak memory %M KB" "$bench" read "$folder" 2>&1
done
