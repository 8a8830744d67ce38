#!/bin/sh
# Makes the pictures that the guide (docs/guia-de-usuario.md) and the help
# topics show, from the real program under Wine, into docs/imagenes (or the
# folder given): the window by hand, inside the fake host, the save dialog,
# the notice at the end and the failure box for a missing table, each a PNG
# cropped to its window. Wine draws nothing of a window that lies inside
# another process's window, so the picture inside the host is put together
# from the host's window and the program's as host mode draws it. Run it again whenever the window, its boxes or their
# texts change, and commit the pictures; the help build takes them from there.
#
# tests/support/picture_tour.cpp works the program and saves the pictures. It
# runs in a Wine virtual desktop on a private Xvfb, so that Wine draws the
# windows' frames too, and in a Wine prefix of its own.
set -eu
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/imagenes}")
cmake --preset windows >/dev/null
cmake --build --preset windows --target TemposZORVA fake_host picture_tour >/dev/null
build=$PWD/build/windows
mkdir -p "$out"
work=$(mktemp -d)
export WINEPREFIX="$build/wineprefix-pictures"
trap 'scripts/wine-run --server -k 2>/dev/null || true; rm -rf "$work"' EXIT

export ZORVA_PROGRAM="$build/src/app/TemposZORVA.exe" ZORVA_FAKE_HOST="$build/tests/support/fake_host.exe"
export ZORVA_DEMO_TABLES="$PWD/data/demo" LANG=es_ES.UTF-8
tour=$(printf 'Z:%s' "$build/tests/support/picture_tour.exe" | tr / '\\')
folder=$(printf 'Z:%s' "$work" | tr / '\\')
xvfb-run -a -s "-screen 0 1280x1024x24" sh -eu -c '
  # A caret that never blinks: an unchanged window gives the same picture.
  scripts/wine-run reg add "HKCU\\Control Panel\\Desktop" /v CursorBlinkRate /t REG_SZ /d -1 /f >/dev/null
  scripts/wine-run explorer /desktop=zorva-fotos,1024x768 "$1" "$2"
  scripts/wine-run --server -w' sh "$tour" "$folder"

# No dates inside, so that an unchanged picture stays the same file.
png() { convert "$@" -strip -define png:exclude-chunks=date,time "$out/$name.png"; }
for name in ventana guardar finalizado error anfitrion; do
  [ -f "$work/$name.bmp" ] || { echo "screenshots: the program gave no picture $name" >&2; exit 1; }
done
for name in ventana guardar finalizado error; do png "$work/$name.bmp"; done
# The host's window with the program's window put where it lies inside it.
name=anfitrion place=$(cat "$work/anfitrion.txt")
png "$work/anfitrion.bmp" \( "$work/anfitrion-programa.bmp" -crop "${place%%+*}+0+0" +repage \) \
  -geometry "+${place#*+}" -composite
ls -l "$out"
