#!/bin/bash
# Compresses a file the way Debian wants it in a package: best compression,
# no name or time stamp inside (the same bytes on every build).
# usage: gzip.sh SOURCE OUTPUT
set -euo pipefail
mkdir -p "$(dirname "$2")"
gzip -9 -n -c "$1" >"$2.tmp"
mv "$2.tmp" "$2"
