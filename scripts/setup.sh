#!/bin/sh
# Installs every Debian package that the builds, the tests, the demo and the
# release need, and the locales the tests run under. Safe to run again: when
# everything is there it returns at once.
set -eu

packages="
  cmake ninja-build g++ git ca-certificates
  googletest libgtest-dev libgmock-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils imagemagick
  locales
  python3 python3-dbf python3-dbfread
  libxml2-dev libxml2-utils
  clang libclang-rt-14-dev clang-format
  pgdbf time hyperfine
  fp-utils libchm-bin
  nsis zip unzip osslsigncode openssl
"
locales="es_ES.UTF-8 UTF-8
en_US.UTF-8 UTF-8
es_ES ISO-8859-1"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

missing=""
for p in $packages; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "setup: installing$missing"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

need_gen=""
echo "$locales" | while IFS= read -r line; do
  grep -qxF "$line" /etc/locale.gen 2>/dev/null || echo "$line" | $sudo tee -a /etc/locale.gen >/dev/null
done
for l in es_ES.utf8 en_US.utf8 es_ES.iso88591; do
  locale -a 2>/dev/null | grep -qx "$l" || need_gen=1
done
if [ -n "$need_gen" ]; then
  echo "setup: generating locales"
  $sudo locale-gen >/dev/null
fi
