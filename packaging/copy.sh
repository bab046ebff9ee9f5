#!/bin/bash
# Copies a file as it is.  usage: copy.sh SOURCE OUTPUT
set -euo pipefail
mkdir -p "$(dirname "$2")"
cp "$1" "$2.tmp"
mv "$2.tmp" "$2"
