#!/bin/sh
# Signs a Windows program in place with Authenticode: sign.sh FILE
#
# The certificate comes from the environment, never from a command line that
# others on the machine could read:
#   ZORVA_SIGN_PKCS12     the PKCS#12 file with the certificate and its key
#   ZORVA_SIGN_PASSWORD   its password (may be empty)
#   ZORVA_SIGN_TIMESTAMP  an RFC 3161 timestamp server, optional: with it the
#                         signature stays valid after the certificate expires
set -eu
file=$1
: "${ZORVA_SIGN_PKCS12:?sign.sh: ZORVA_SIGN_PKCS12 names no certificate}"
[ -r "$ZORVA_SIGN_PKCS12" ] || { echo "sign.sh: cannot read the certificate $ZORVA_SIGN_PKCS12" >&2; exit 1; }
set -- -pkcs12 "$ZORVA_SIGN_PKCS12" -h sha256 -n TemposZORVA
# The password goes in on standard input; osslsigncode reads no empty one there.
[ -z "${ZORVA_SIGN_PASSWORD:-}" ] || set -- "$@" -readpass /dev/stdin
[ -z "${ZORVA_SIGN_TIMESTAMP:-}" ] || set -- "$@" -ts "$ZORVA_SIGN_TIMESTAMP"
# osslsigncode writes a new file: the signed one replaces the original only
# once signing has succeeded.
signed="$file.signed"
trap 'rm -f "$signed"' EXIT
printf '%s' "${ZORVA_SIGN_PASSWORD:-}" | osslsigncode sign "$@" -in "$file" -out "$signed" >/dev/null ||
  { echo "sign.sh: could not sign $file" >&2; exit 1; }
mv "$signed" "$file"
