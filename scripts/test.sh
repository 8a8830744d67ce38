#!/bin/sh
# The whole test suite: installs what is needed, builds the native core and
# runs its tests first, then each other build in turn: the table engine under
# AddressSanitizer and UBSan with a minute of fuzzing, and the Windows program
# under Wine on a virtual display.
#   scripts/test.sh [preset...]   only those of sanitize and windows (native always runs)
set -eu
cd "$(dirname "$0")/.."
presets=${*:-sanitize windows}
for preset in $presets; do
  case $preset in
    native | sanitize | windows) ;;
    *) echo "test.sh: no preset '$preset' (native, sanitize, windows)" >&2; exit 2 ;;
  esac
done
scripts/setup.sh

build() {
  echo "== $1 build"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

build native
echo "== native tests"
ctest --preset native

status=0
for preset in $presets; do
  case $preset in
    sanitize)
      build sanitize
      echo "== sanitize tests (clang, AddressSanitizer, UBSan): the table engine's tests and fuzzer"
      ctest --preset sanitize
      scripts/fuzz-tables.sh 60
      ;;
    windows)
      build windows
      echo "== windows tests (Wine, Xvfb)"
      xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset windows || status=$?
      for prefix in build/windows/wineprefix*/; do
        WINEPREFIX="$PWD/$prefix" scripts/wine-run --server -k 2>/dev/null || true
      done
      ;;
  esac
done
exit $status
