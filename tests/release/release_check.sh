#!/bin/sh
# The release check, as a school's IT person meets the release: the release
# is packaged and signed with a throwaway certificate, each signature holds
# and a file changed after signing fails it. In a fresh Wine prefix the installer runs silently into a Tempovia folder holding the
# demo school, adds its own files and nothing else; the installed twin exports
# the school and the installed program shows its window, both with the
# release's version; the zip holds the same files; the uninstaller takes away
# exactly what was installed and leaves the tables and Tempovia.ini alone.
# A second install goes into a new folder with spaces in its name, a third
# finds that folder by itself, and the uninstaller removes the folder once it
# is empty.
#
# release_check.sh PACKAGE_SCRIPT VERSION_FILE DEMO_DIR PROBE WORK_DIR
# PACKAGE_SCRIPT is the build's package.sh. WORK_DIR is made anew, and
# removed again when every step has passed.
set -eu
package=$1 version_file=$2 demo=$3 probe=$4 work=$5
packages=$work/packages
wine_run=$(cd "$(dirname "$0")/../.." && pwd)/scripts/wine-run
wineserver="$wine_run --server"

version=$(cat "$version_file")
installer=$packages/TemposZORVA-$version-instalar.exe
zip=$packages/TemposZORVA-$version.zip
# The installer as Windows names it: Wine shows the Unix root as drive Z:.
installer_path=Z:$(printf '%s' "$installer" | tr / '\\')
files="NA.chm TemposZORVA.exe zorva-export.exe"
uninstaller=TemposZORVA-desinstalar.exe

fail() {
  echo "release check: $*" >&2
  exit 1
}
step() { echo "== $*"; }

[ -n "${DISPLAY:-}" ] || fail "the program's window needs an X display: run under xvfb-run"

rm -rf "$work"
mkdir -p "$work/certificate"

export WINEPREFIX="$work/prefix"
trap '$wineserver -k 2>/dev/null || true' EXIT
run() { "$wine_run" "$@"; }
# What a console program prints, without Windows' line ends.
output() { "$wine_run" "$@" | tr -d '\r'; }
drive_c=$WINEPREFIX/drive_c
folder=$drive_c/Tempovia

# Every file the programs could reach, with its checksum, one "path<tab>sum"
# a line: the system's own folder and the temporary files aside.
snapshot() {
  (cd "$drive_c" && find . -path ./windows -prune -o -path './users/*/Temp' -prune -o -type f -print |
    while IFS= read -r f; do printf '%s\t%s\n' "${f#./}" "$(sha256sum <"$f" | cut -d' ' -f1)"; done |
    LC_ALL=C sort)
}
# The files of snapshot $2 that are not in snapshot $1 as they were: added or
# changed; and the other way round.
added() { LC_ALL=C comm -13 "$1" "$2" | cut -f1; }
removed() { LC_ALL=C comm -23 "$1" "$2" | cut -f1; }
# The records of a dBase table less those marked deleted: the rows it exports.
live_records() {
  /usr/bin/python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read()
count, header, length = struct.unpack_from("<IHH", data, 4)
print(sum(data[header + i * length] != ord("*") for i in range(count)))' "$1"
}
# The program's entry in the list of installed programs, as Wine keeps it.
uninstall_entry() {
  awk '/^\[/ { on = index($0, "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\TemposZORVA]") == 1 }
       on' "$WINEPREFIX/system.reg"
}
expect_same() {
  [ "$1" = "$2" ] || fail "$3: expected
$2
got
$1"
}

step "the release, signed with a throwaway code-signing certificate"
certificate=$work/certificate/prueba.pem
(cd "$work/certificate" &&
  openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out prueba.pem -days 2 \
    -subj "/CN=TemposZORVA prueba" -addext keyUsage=critical,digitalSignature \
    -addext extendedKeyUsage=codeSigning -addext basicConstraints=critical,CA:FALSE 2>/dev/null &&
  openssl pkcs12 -export -inkey key.pem -in prueba.pem -out prueba.p12 -passout pass:clave-de-prueba) ||
  fail "openssl could not make the certificate"
if ZORVA_SIGN_PKCS12=$work/certificate/prueba.p12 ZORVA_SIGN_PASSWORD=otra sh "$package" "$packages" >/dev/null 2>&1; then
  fail "packaging with a wrong password passed"
fi
ZORVA_SIGN_PKCS12=$work/certificate/prueba.p12 ZORVA_SIGN_PASSWORD=clave-de-prueba sh "$package" "$packages" >/dev/null ||
  fail "packaging and signing failed"
[ -f "$installer" ] || fail "no installer $installer"
[ -f "$zip" ] || fail "no zip $zip"
(cd "$packages" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the packages"
expect_same "$(cut -d' ' -f3 "$packages/SHA256SUMS")" "$(basename "$installer")
$(basename "$zip")" "the files SHA256SUMS names"
verify() {  # verify FILE: its signature holds, by the throwaway certificate
  osslsigncode verify -CAfile "$certificate" -in "$1" >"$work/verify.log" 2>&1 ||
    fail "the signature of $1 does not hold: $(cat "$work/verify.log")"
}
verify "$installer"

step "a fresh Wine prefix"
run cmd /c exit >/dev/null

step "a school's Tempovia folder: the demo tables, Tempovia.ini and a file of Tempovia's own"
mkdir -p "$folder" "$drive_c/ttemp"
for table in "$demo"/*; do
  case $(basename "$table" | tr a-z A-Z) in
    SOLUC.DBF) cp "$table" "$drive_c/ttemp/" ;;
    *) cp "$table" "$folder/" ;;
  esac
done
printf '[Transformadores]\r\nTransformado=1\r\n[Centro]\r\nNombre=IES de prueba\r\n' >"$folder/Tempovia.ini"
printf 'Tempovia\r\n' >"$folder/LEAME.TXT"
snapshot >"$work/school"

step "silent install into C:\\Tempovia"
run "$probe" install "$installer_path" 'C:\Tempovia' || fail "the installer ended with code $?"
$wineserver -w
snapshot >"$work/installed"
expect_same "$(removed "$work/school" "$work/installed")" "" "files the installer changed or removed"
expect_same "$(added "$work/school" "$work/installed")" \
  "$(printf 'Tempovia/%s\n' $files $uninstaller | LC_ALL=C sort)" "files the installer added"
entry=$(uninstall_entry)
for value in '"DisplayVersion"="'$version'"' '"InstallLocation"="C:\\Tempovia"'; do
  printf '%s\n' "$entry" | grep -qxF "$value" || fail "the entry in the list of installed programs lacks $value"
done

step "the zip holds the installed files"
expect_same "$(unzip -Z1 "$zip" | LC_ALL=C sort)" "$(printf '%s\n' $files | LC_ALL=C sort)" "the zip's files"
mkdir "$work/unzipped"
unzip -q "$zip" -d "$work/unzipped"
for f in $files; do
  cmp -s "$work/unzipped/$f" "$folder/$f" || fail "$f in the zip differs from the installed one"
done

step "the programs and the uninstaller are signed, and a change breaks the signature"
for f in TemposZORVA.exe zorva-export.exe; do verify "$work/unzipped/$f"; done
verify "$folder/$uninstaller"
/usr/bin/python3 -c '
import sys
data = bytearray(open(sys.argv[1], "rb").read())
data[len(data) // 2] ^= 0xFF
open(sys.argv[2], "wb").write(data)' "$work/unzipped/TemposZORVA.exe" "$work/changed.exe"
if osslsigncode verify -CAfile "$certificate" -in "$work/changed.exe" >/dev/null 2>&1; then
  fail "a program changed after signing passes verification"
fi

step "version $version everywhere"
expect_same "$(output 'C:\Tempovia\zorva-export.exe' --version)" "zorva-export $version" "zorva-export --version"
expect_same "$(output "$probe" version 'C:\Tempovia\TemposZORVA.exe')" "$version" "TemposZORVA.exe's version resource"
expect_same "$(output "$probe" version "$installer")" "$version" "the installer's version resource"

step "the installed zorva-export exports the demo school"
mkdir "$drive_c/salida"
run 'C:\Tempovia\zorva-export.exe' --tables 'C:\Tempovia' --solution 'C:\ttemp' --output 'C:\salida\horario' ||
  fail "zorva-export ended with code $?"
xml=$drive_c/salida/horario.xml
xmllint --noout "$xml" || fail "the export is not well-formed XML"
for section in ASIGT:Asig NOMASIGT:NOMASG PROFT:PROF GRUPT:GRUP AULAT:AULA SOLUCT:SOLUC; do
  table=$(find "$folder" "$drive_c/ttemp" -maxdepth 1 -iname "${section#*:}.DBF")
  rows=$(xmllint --xpath "count(/SERVICIO/${section%:*}/*)" "$xml")
  records=$(live_records "$table")
  [ "$rows" = "$records" ] || fail "${section%:*} holds $rows rows, $table $records records"
done

step "the installed TemposZORVA.exe shows its window"
run "$probe" window 'C:\Tempovia\TemposZORVA.exe' || fail "TemposZORVA.exe did not show its window"

step "silent uninstall"
rm -r "$drive_c/salida"
run 'C:\Tempovia\'$uninstaller /S || fail "the uninstaller ended with code $?"
$wineserver -w
snapshot >"$work/uninstalled"
expect_same "$(removed "$work/school" "$work/uninstalled")" "" "school files the uninstaller changed or removed"
expect_same "$(added "$work/school" "$work/uninstalled")" "" "files the uninstaller left or changed"
[ -z "$(uninstall_entry)" ] || fail "the uninstall left its entry in the list of installed programs"

step "install into a new folder, again there without naming it, uninstall removes it"
run "$probe" install "$installer_path" 'C:\Archivos del centro\TemposZORVA' ||
  fail "the installer ended with code $?"
$wineserver -w
run "$probe" install "$installer_path" || fail "the installer ended with code $?"
$wineserver -w
new=$drive_c/'Archivos del centro'/TemposZORVA
expect_same "$(ls "$new" | LC_ALL=C sort)" "$(printf '%s\n' $files $uninstaller | LC_ALL=C sort)" "the new folder"
expect_same "$(ls "$folder" | LC_ALL=C sort)" "$(cut -f1 "$work/school" | sed -n 's|^Tempovia/||p')" \
  "C:\\Tempovia after installing elsewhere"
run 'C:\Archivos del centro\TemposZORVA\'$uninstaller /S || fail "the uninstaller ended with code $?"
$wineserver -w
[ ! -e "$new" ] || fail "the uninstall left the folder it had made"

$wineserver -k 2>/dev/null || true
trap - EXIT
rm -rf "$work"
echo "release check: passed"
