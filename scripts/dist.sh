#!/bin/sh
# The release: installs what is needed, builds the Windows programs and the
# help, and puts the installer and the zip into dist/.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target dist
ls -l dist
