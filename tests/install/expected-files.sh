#!/usr/bin/env bash
# Prints every file the installation must hold, relative to the prefix, one a
# line, sorted: the list beside this script and the sources' language files
# and documents.
# Usage: expected-files.sh SOURCE_DIR
set -euo pipefail
src=$1
{
    grep -v -e '^#' -e '^$' "$(dirname "$0")/expected-files.txt"
    (cd "$src/data/languages" && for f in Padrix_*.txt; do echo "share/padrix/languages/$f"; done)
    (cd "$src" && find docs -type f | sed 's|^|share/doc/padrix/|')
} | LC_ALL=C sort
