#!/bin/bash
# Renders a manual page as plain text for Windows: no overstrike, no escape
# sequences, Windows-1252 with CR LF line ends.  usage: man-to-text.sh PAGE OUTPUT
set -euo pipefail
mkdir -p "$(dirname "$2")"
groff -t -man -Tlatin1 -P-cbou "$1" | iconv -f ISO-8859-1 -t WINDOWS-1252 | sed 's/$/\r/' >"$2.tmp"
mv "$2.tmp" "$2"
