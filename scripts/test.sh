#!/bin/sh
# The whole test suite: installs what is needed, then builds and tests each
# build in turn: the native core, the table engine under AddressSanitizer and
# UBSan with a minute of fuzzing, and the Windows program under Wine on a
# virtual display.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh

for preset in native windows; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

echo "== native tests"
ctest --preset native

echo "== sanitize build (clang, AddressSanitizer, UBSan): the table engine's tests and fuzzer"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize
scripts/fuzz-tables.sh 60

echo "== windows tests (Wine, Xvfb)"
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset windows || status=$?
for prefix in build/windows/wineprefix*/; do
  WINEPREFIX="$PWD/$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
done
exit $status
