#!/bin/sh
# Benchmark of start-up under Wine: the time from starting TemposZORVA.exe to
# its main window being visible, measured through the GUI driver
# (bench/startup_bench.cpp) beside the same for a bare window program, in
# alternating runs on a virtual screen. Prints the medians and the ratio.
#
#     scripts/bench-startup.sh [RUNS]          (default: 15)
set -eu
cd "$(dirname "$0")/.."
runs="${1:-15}"
cmake --preset windows >/dev/null
cmake --build --preset windows --target TemposZORVA startup_bench bare_window >/dev/null
export WINEPREFIX="$PWD/build/windows/wineprefix-bench" LANG=es_ES.UTF-8
export ZORVA_PROGRAM="$PWD/build/windows/src/app/TemposZORVA.exe"
echo "TemposZORVA.exe under $("$(command -v wine64 || echo /usr/lib/wine/wine64)" --version), $(nproc) cores, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
xvfb-run -a -s "-screen 0 1280x1024x24" scripts/wine-run build/windows/bench/startup_bench.exe "$runs" \
  "$PWD/build/windows/bench/bare_window.exe"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
