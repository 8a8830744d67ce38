#!/bin/sh
# Compiles the help file: compile_chm.sh SOURCE_DIR OUTPUT_FILE
#
# chmcmd records each context-mapped topic as the project's folder followed
# by the topic ("/home/.../principal.htm"), which no help engine finds inside
# the file. So it runs with the project's staging folder as its root folder,
# in a private user and mount namespace, and records "/principal.htm".
set -eu
src=$1
out=$2
chmcmd=${CHMCMD:-chmcmd}
stage="$out.stage"

rm -rf "$stage"
mkdir -p "$stage"
cp "$src"/NA.hhp "$src"/NA.hhc "$src"/NA.hhk "$src"/*.htm "$src"/*.css "$stage"/
# The real file: inside the new root only what lies under /usr is seen.
chmcmd_path=$(readlink -f "$(command -v "$chmcmd")")

log="$stage.log"
if unshare --user --map-root-user --mount true 2>/dev/null; then
  (cd "$stage" && mkdir usr && ln -s usr/lib lib && ln -s usr/lib64 lib64 &&
    unshare --user --map-root-user --mount sh -c \
      'mount --rbind /usr usr && exec chroot . "$0" --no-html-scan NA.hhp' "$chmcmd_path") >"$log" 2>&1 || true
else
  echo "compile_chm: no private namespaces here; the context map of NA.chm will name the build folder" >&2
  (cd "$stage" && "$chmcmd_path" --no-html-scan NA.hhp) >"$log" 2>&1 || true
fi
if grep -E '^(Error|Warning)|corrupt|failed' "$log" >&2 || [ ! -s "$stage/NA.chm" ]; then
  echo "compile_chm: chmcmd did not compile $src/NA.hhp cleanly (see $log)" >&2
  exit 1
fi
mv "$stage/NA.chm" "$out"
rm -rf "$stage" "$log"
