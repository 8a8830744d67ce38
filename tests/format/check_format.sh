#!/bin/sh
# Fails when a C++ file under src/, tests/ or bench/ is not laid out as
# .clang-format says; `clang-format -i` on the files it names mends them.
#   check_format.sh ROOT CLANG_FORMAT
set -eu
cd "$1"
find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print | sort | xargs "$2" --dry-run --Werror
