#!/bin/bash
# Copies a text file of the repository (UTF-8 or ASCII, LF line ends) as
# Windows-1252 with CR LF line ends, the form Notepad and the program's
# Windows users expect.  usage: windows-text.sh SOURCE OUTPUT
set -euo pipefail
mkdir -p "$(dirname "$2")"
iconv -f UTF-8 -t WINDOWS-1252 "$1" | sed 's/\r$//; s/$/\r/' >"$2.tmp"
mv "$2.tmp" "$2"
