#!/bin/sh
# The installer and the uninstaller never load a library planted in the folder
# they are started from: the installer from a download folder, the
# uninstaller from the program folder, which others can write. Each folder
# holds a marking library (it leaves "<name>.loaded" beside itself when
# loaded) under the names of the system libraries that installers of this
# kind are known to look for, and the overrides make Wine take a program's
# own copy of each, as Windows does. (Wine's own user32 takes version.dll and
# uxtheme.dll before any installer's code runs, which Windows' does not.)
#
# planted_library_check.sh PACKAGES_DIR VERSION_FILE PLANTED_LIBRARY WORK_DIR
set -eu
packages=$1 version_file=$2 planted=$3 work=$4
installer=TemposZORVA-$(cat "$version_file")-instalar.exe
wine_run=$(cd "$(dirname "$0")/../.." && pwd)/scripts/wine-run
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
names="userenv setupapi apphelp propsys dwmapi cryptbase oleacc clbcatq ntmarta shfolder"

fail() {
  echo "planted library check: $*" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix"
trap '"$wineserver" -k 2>/dev/null || true' EXIT
export WINEDLLOVERRIDES="$(echo $names | tr ' ' ',')=n,b"
drive_c=$WINEPREFIX/drive_c
"$wine_run" cmd /c exit 0  # makes the prefix

plant() {
  for name in $names; do cp "$planted" "$1/$name.dll"; done
}
# Fails naming every planted library that left its mark in folder $1.
check() {
  marks=$(cd "$1" && ls -- *.loaded 2>/dev/null || true)
  [ -z "$marks" ] || fail "$2 loaded from its own folder: $marks"
}

downloads=$drive_c/Descargas
mkdir -p "$downloads"
cp "$packages/$installer" "$downloads/"
plant "$downloads"
(cd "$downloads" && "$wine_run" "C:\\Descargas\\$installer" /S "/D=C:\\Tempovia")
"$wineserver" -w
[ -f "$drive_c/Tempovia/TemposZORVA-desinstalar.exe" ] || fail "the installer did not install"
check "$downloads" "the installer"

plant "$drive_c/Tempovia"
(cd "$drive_c/Tempovia" && "$wine_run" "C:\\Tempovia\\TemposZORVA-desinstalar.exe" /S)
"$wineserver" -w
[ ! -f "$drive_c/Tempovia/TemposZORVA.exe" ] || fail "the uninstaller did not uninstall"
check "$drive_c/Tempovia" "the uninstaller"
rm -rf "$work"
echo "planted library check: passed"
