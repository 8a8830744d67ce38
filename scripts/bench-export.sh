#!/bin/sh
# Benchmark of the export: the native zorva-export exporting a generated school
# whose SOLUC has ROWS rows (the demo school, its timetable repeated), measured
# in the same run as cat of the same six tables, pgdbf converting the same
# SOLUC to SQL, and libxml2's xmlTextWriter writing the same number of
# solution elements. Wall time, rows per second and peak memory come from
# GNU time; each figure is the best of three runs.
#
#     scripts/bench-export.sh [ROWS...]        (default: 1000000 4000000)
set -eu
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- 1000000 4000000
twin=build/native/src/cli/zorva-export
cmake --preset native >/dev/null
cmake --build --preset native --target zorva-export >/dev/null
work=build/bench
mkdir -p "$work"
cc -O2 -o "$work/libxml2_writer" bench/libxml2_writer.c $(xml2-config --cflags --libs)

# best WHAT ROWS COMMAND...: the best wall time of three runs, with its peak memory.
best() {
  what=$1 count=$2
  shift 2
  for run in 1 2 3; do
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null
    cat "$work/time"
  done | sort -n | head -1 | awk -v what="$what" -v count="$count" \
    '{ printf "| %-22s | %9d | %6.2f | %12.0f | %7.1f |\n", what, count, $1, count / ($1 > 0 ? $1 : 0.01), $2 / 1024 }'
}

echo "zorva-export $("$twin" --version | cut -d' ' -f2), $(nproc) cores, $(uname -m)"
echo
echo "| what                   |   rows    | wall s |    rows/s    | peak MB |"
echo "|------------------------|-----------|--------|--------------|---------|"
for rows in "$@"; do
  school="$work/school-$rows"
  if [ ! -f "$school/SOLUC.DBF" ]; then
    /usr/bin/python3 data/make_demo.py "$school" >/dev/null
    /usr/bin/python3 -c "import sys; sys.path.insert(0, 'data'); import school_tables as t; t.repeat_rows('$school/SOLUC.DBF', $rows)"
  fi
  all=$((rows + $(/usr/bin/python3 -c "import dbfread, sys; print(sum(len(dbfread.DBF('$school/' + n, load=False)) for n in ('Asig.DBF', 'NOMASG.DBF', 'PROF.DBF', 'GRUP.DBF', 'AULA.DBF')))")))
  best "cat, six tables" "$all" sh -c "cat '$school'/*.DBF"
  best "pgdbf, SOLUC" "$rows" pgdbf "$school/SOLUC.DBF"
  best "libxml2 writer alone" "$rows" "$work/libxml2_writer" "$rows" "$work/libxml2.xml"
  best "zorva-export" "$all" "$twin" --tables "$school" --output "$work/horario.xml"
  # The same, with the document in memory (tmpfs): the export's own work,
  # without the wait for the disk.
  if [ -d /dev/shm ]; then
    best "libxml2 writer, tmpfs" "$rows" "$work/libxml2_writer" "$rows" /dev/shm/zorva-bench-libxml2.xml
    best "zorva-export, tmpfs" "$all" "$twin" --tables "$school" --output /dev/shm/zorva-bench.xml
    rm -f /dev/shm/zorva-bench-libxml2.xml /dev/shm/zorva-bench.xml
  fi
done
rm -f "$work/libxml2.xml" "$work/horario.xml" "$work/time"
