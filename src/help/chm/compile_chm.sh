#!/bin/sh
# Compiles the help file: compile_chm.sh SOURCE_DIR PICTURES_DIR OUTPUT_FILE
# The topics show the pictures as imagenes/<name>.png, and the project lists
# them so.
#
# chmcmd records each context-mapped topic as the project's folder followed
# by the topic ("/home/.../principal.htm"), which no help engine finds inside
# the file. So it runs with the project's staging folder as its root folder,
# and records "/principal.htm". The staging folder gets its own copy of
# chmcmd and of the libraries it loads, so no mount is needed: root enters it
# with chroot, anyone else through a private user namespace.
set -eu
src=$1
pictures=$2
out=$3
chmcmd=$(readlink -f "$(command -v "${CHMCMD:-chmcmd}")")
stage="$out.stage"

rm -rf "$stage"
mkdir -p "$stage"
cp "$src"/NA.hhp "$src"/NA.hhc "$src"/NA.hhk "$src"/*.htm "$src"/*.css "$stage"/
mkdir "$stage/imagenes"
cp "$pictures"/*.png "$stage/imagenes/"
cp "$chmcmd" "$stage/chmcmd"
# Its linked libraries, and the thread library its runtime opens by name.
libdir=$(dirname "$(ldd "$chmcmd" | grep -o '/[^ ]*libc\.so[^ ]*')")
for lib in $(ldd "$chmcmd" | grep -o '/[^ ]*') "$libdir/libpthread.so.0" "$libdir/libdl.so.2"; do
  [ -e "$lib" ] || continue
  mkdir -p "$stage$(dirname "$lib")"
  cp -L "$lib" "$stage$lib"
done

if [ "$(id -u)" -eq 0 ]; then
  enter="chroot ."
else
  enter="unshare --user --map-root-user chroot ."
fi
log="$stage.log"
(cd "$stage" && $enter /chmcmd --no-html-scan NA.hhp) >"$log" 2>&1 || true
if grep -E '^(Error|Warning)|corrupt|failed' "$log" >&2 || [ ! -s "$stage/NA.chm" ]; then
  echo "compile_chm: chmcmd did not compile $src/NA.hhp cleanly (see $log)" >&2
  exit 1
fi
mv "$stage/NA.chm" "$out"
rm -rf "$stage" "$log"
