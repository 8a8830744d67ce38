#!/bin/sh
# The release: installs what is needed, builds the Windows programs and the
# help, and puts the installer, the zip and their SHA256SUMS into dist/.
# With ZORVA_SIGN_PKCS12 and ZORVA_SIGN_PASSWORD (and, optionally,
# ZORVA_SIGN_TIMESTAMP) in the environment, the programs, the installer and
# its uninstaller are signed; without them the release is unsigned, and the
# build says so.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target dist
ls -l dist
