#!/bin/sh
# Benchmark of the export of the Windows build under Wine: zorva-export.exe,
# which exports through the program's own path (the export run and the XML
# document object "Microsoft.XMLDOM" over COM, as TemposZORVA.exe does),
# exporting a generated school whose SOLUC has ROWS rows. In the same
# hyperfine run (3 runs each after a warm-up; the median counts): pgdbf
# converting the same SOLUC to SQL, the native zorva-export, and the Windows
# twin printing its version, which is what starting a program under Wine
# costs. Peak memory comes from GNU time. Then TemposZORVA.exe itself
# exports the same school through its window, driven by the GUI driver on a
# virtual screen (bench/gui_export_bench.cpp, 3 runs, the median counting):
# the time from the save dialog's answer to the export's start, the export's
# own time and the program's peak memory. Prints the ratios.
#
#     scripts/bench-export-wine.sh [ROWS...]   (default: 20000 100000 1000000)
set -eu
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- 20000 100000 1000000
. scripts/bench-school.sh
twin=build/native/src/cli/zorva-export
exe=build/windows/src/cli/zorva-export.exe
cmake --preset native >/dev/null
cmake --build --preset native --target zorva-export >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows --target zorva-export TemposZORVA gui_export_bench >/dev/null

export WINEPREFIX="$PWD/build/windows/wineprefix-bench" LANG=es_ES.UTF-8
wine="scripts/wine-run"
wineserver="scripts/wine-run --server"
"$wine" "$exe" --version >/dev/null
# One Wine server for all the runs, as a desktop session has.
$wineserver -p || true

echo "zorva-export.exe under $("$(command -v wine64 || echo /usr/lib/wine/wine64)" --version), $(nproc) cores, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| SOLUC rows | Wine start s | Windows export s | peak MB | native export s | Windows / native | pgdbf s | pgdbf / Windows |"
echo "|---:|---:|---:|---:|---:|---:|---:|---:|"
for rows in "$@"; do
  school=$(BenchSchool "$rows")
  hyperfine -N --style none -w 1 -r 3 --export-json "$work/wine-$rows.json" \
    "$wine $exe --version" \
    "$wine $exe --tables $school --output $work/horario-wine.xml" \
    "$twin --tables $school --output $work/horario.xml" \
    "pgdbf $school/SOLUC.DBF" >/dev/null
  /usr/bin/time -f "%M" -o "$work/peak" "$wine" "$exe" --tables "$school" --output "$work/horario-wine.xml"
  rm -f "$work/horario-wine.xml" "$work/horario.xml"
  /usr/bin/python3 - "$work/wine-$rows.json" "$rows" "$(cat "$work/peak")" <<'PY'
import json, sys
start, windows, native, pgdbf = (r["median"] for r in json.load(open(sys.argv[1]))["results"])
print(f"| {int(sys.argv[2]):,} | {start:.2f} | {windows:.2f} | {int(sys.argv[3]) / 1024:.0f} | {native:.3f} | "
      f"{windows / native:.1f} | {pgdbf:.3f} | {pgdbf / windows:.2f} |")
PY
done
# Wine's desktop belongs to the screen of the session's first program: the
# window's runs start sessions of their own, on their virtual screen.
$wineserver -k || true
echo
echo "| SOLUC rows | TemposZORVA.exe: answer to start s | export s | peak MB | export / Windows twin's |"
echo "|---:|---:|---:|---:|---:|"
for rows in "$@"; do
  ZORVA_PROGRAM="$PWD/build/windows/src/app/TemposZORVA.exe" ZORVA_FIXTURES="$PWD/$work" \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$wine" build/windows/bench/gui_export_bench.exe "school-$rows" 3 \
    >"$work/gui-$rows.txt" 2>"$work/gui-$rows.err"
  $wineserver -k || true
  /usr/bin/python3 - "$work/gui-$rows.txt" "$work/wine-$rows.json" "$rows" <<'PY'
import json, statistics, sys
runs = [[float(x) for x in line.split()] for line in open(sys.argv[1]) if line.strip()]
to_start, export, peak = (statistics.median(column) for column in zip(*runs))
twin = json.load(open(sys.argv[2]))["results"][1]["median"]
print(f"| {int(sys.argv[3]):,} | {to_start:.2f} | {export:.2f} | {peak:.0f} | {export / twin:.2f} |")
PY
done
echo
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
