#!/bin/sh
# Benchmark of the export of the portable build: the native zorva-export
# exporting a generated school whose SOLUC has ROWS rows (the demo school,
# its timetable repeated), against pgdbf converting the same SOLUC to SQL, in
# one hyperfine run per size (5 runs each after a warm-up; the median counts).
# The export writes its file durably into build/bench, and once more into
# memory (/dev/shm), which leaves out the wait for the disk; libxml2's
# xmlTextWriter alone (bench/libxml2_writer.c) writes as many solution
# elements into memory too. Peak memory comes from GNU time. Prints the
# ratios: pgdbf's time over the export's, and pgdbf's processor time (user
# and system) over the export's, which a loaded machine disturbs less.
#
#     scripts/bench-export.sh [ROWS...]        (default: 20000 100000 1000000)
set -eu
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- 20000 100000 1000000
. scripts/bench-school.sh
twin=build/native/src/cli/zorva-export
cmake --preset native >/dev/null
cmake --build --preset native --target zorva-export >/dev/null
cc -O2 -o "$work/libxml2_writer" bench/libxml2_writer.c $(xml2-config --cflags --libs)

echo "zorva-export $("$twin" --version | cut -d' ' -f2), $(nproc) cores, $(uname -m), $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| SOLUC rows | pgdbf s | export s | ratio | export to memory s | ratio | processor time ratio | export peak MB | libxml2 writer alone s |"
echo "|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
for rows in "$@"; do
  school=$(BenchSchool "$rows")
  shm=/dev/shm/zorva-bench-$$.xml
  hyperfine -N --style none -w 1 -r 5 --export-json "$work/export-$rows.json" \
    "pgdbf $school/SOLUC.DBF" \
    "$twin --tables $school --output $work/horario.xml" \
    "$twin --tables $school --output $shm" \
    "$work/libxml2_writer $rows $shm.libxml2" >/dev/null
  /usr/bin/time -f "%M" -o "$work/peak" "$twin" --tables "$school" --output "$shm"
  rm -f "$shm" "$shm.libxml2" "$work/horario.xml"
  /usr/bin/python3 - "$work/export-$rows.json" "$rows" "$(cat "$work/peak")" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
pgdbf, disk, memory, libxml2 = (r["median"] for r in results)
cpu = [r["user"] + r["system"] for r in results]
print(f"| {int(sys.argv[2]):,} | {pgdbf:.3f} | {disk:.3f} | {pgdbf / disk:.2f} | {memory:.3f} | "
      f"{pgdbf / memory:.2f} | {cpu[0] / cpu[1]:.2f} | {int(sys.argv[3]) / 1024:.1f} | {libxml2:.3f} |")
PY
done
echo
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
