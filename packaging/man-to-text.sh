#!/bin/bash
# Renders a manual page as plain text for Windows: no overstrike, no escape
# sequences, Windows-1252 with CR LF line ends. The formulas' Greek letters and
# signs that Windows-1252 lacks are written out in words.
# usage: man-to-text.sh PAGE OUTPUT
set -euo pipefail
mkdir -p "$(dirname "$2")"
{
  printf '%s\n' '.fchar \[sr] sqrt\~' '.fchar \[*s] sigma' '.fchar \[*S] sum' '.fchar \[*f] phi' \
    '.fchar \[*r] rho' '.fchar \[is] integral'
  cat "$1"
} | groff -t -man -Tlatin1 -P-cbou -ww | iconv -f ISO-8859-1 -t WINDOWS-1252 | sed 's/$/\r/' >"$2.tmp"
mv "$2.tmp" "$2"
