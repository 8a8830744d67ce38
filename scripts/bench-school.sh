# Sourced by the benchmarks: BenchSchool ROWS prints the folder of a school
# generated for measuring, the demo school with its timetable repeated until
# SOLUC has ROWS rows (the five other tables keep their 241 rows), making it
# on first use.
work=build/bench
mkdir -p "$work"

BenchSchool() {
  school="$work/school-$1"
  if [ ! -f "$school/SOLUC.DBF" ]; then
    /usr/bin/python3 data/make_demo.py "$school" >/dev/null
    /usr/bin/python3 -c "import sys; sys.path.insert(0, 'data'); import school_tables as t; t.repeat_rows('$school/SOLUC.DBF', $1)"
  fi
  echo "$school"
}
