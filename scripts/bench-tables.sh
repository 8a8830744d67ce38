#!/bin/sh
# Benchmark of the table engine: reads a generated SOLUC table of a million
# rows (or ROWS) as the export does, in the same hyperfine run as `cat` of the
# same file (5 runs each after a warm-up, so the file is in the page cache for
# both; the median counts), with the engine's peak memory from GNU time.
# Prints the ratio: the engine's time over cat's. Not part of the test suite.
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
echo "table: $file, $rows rows, $(wc -c <"$file") bytes; $(nproc) cores, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
hyperfine -N --style none -w 1 -r 5 --export-json "$folder/tables.json" "cat $file" "$bench read $folder" >/dev/null
/usr/bin/time -f "%M" -o "$folder/peak" "$bench" read "$folder" >/dev/null
/usr/bin/python3 - "$folder/tables.json" "$rows" "$(cat "$folder/peak")" <<'PY'
import json, sys
cat, engine = (r["median"] for r in json.load(open(sys.argv[1]))["results"])
rows = int(sys.argv[2])
print(f"cat: {cat:.3f} s; engine: {engine:.3f} s, {rows / engine / 1e6:.2f} million rows/s, "
      f"peak {int(sys.argv[3]) / 1024:.1f} MB; ratio engine / cat: {engine / cat:.0f}")
PY
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
