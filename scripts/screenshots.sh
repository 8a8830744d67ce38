#!/bin/sh
# Saves PNG pictures of TemposZORVA's window, as started by hand, inside the
# fake host, and borderless in host mode with no host window ("0"), into a
# folder (build/screenshots unless
# given), for anyone to look at. Each runs in a Wine virtual desktop of its
# own on a private Xvfb, so that Wine draws the window's frame too.
# Wine draws nothing of a window that lies inside another process's window,
# so in host.png only the host shows; borderless.png shows the hosted look.
# Needs the Windows build: cmake --preset windows && cmake --build --preset windows
set -eu
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}")
build=$PWD/build/windows
[ -x "$build/src/app/TemposZORVA.exe" ] || { echo "screenshots: build the windows preset first" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/src/app/TemposZORVA.exe" "$build/tests/driver/fake_host.exe" "$work/"

WINEPREFIX="$build/wineprefix" OUT="$out" WORK="$work" xvfb-run -a -s "-screen 0 1280x1024x24" sh -eu -c '
  shoot() {  # shoot <name> <desktop size> <program and parameters...>
    name=$1 size=$2; shift 2
    scripts/wine-run explorer "/desktop=zorva-$name,$size" "$@" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 60); do
      xwininfo -root -tree | grep -q "zorva-$name - Wine desktop" && break
      sleep 0.5
    done
    sleep 6  # the window shows and paints
    id=$(xwininfo -root -tree | grep "zorva-$name - Wine desktop" | awk "{print \$1}")
    import -window "$id" "$OUT/$name.png"
    kill "$pid" 2>/dev/null || true
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    echo "screenshots: $OUT/$name.png"
  }
  program=$(winepath -w "$WORK/TemposZORVA.exe" 2>/dev/null || echo "Z:$WORK/TemposZORVA.exe" | tr / "\\\\")
  host=$(winepath -w "$WORK/fake_host.exe" 2>/dev/null || echo "Z:$WORK/fake_host.exe" | tr / "\\\\")
  shoot window 760x400 "$program"
  shoot host 1000x700 "$host" "$program" mirar
  shoot borderless 760x400 "$program" mirar 0
'
