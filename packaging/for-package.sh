#!/bin/bash
# Keeps of a manual page or a README what a user of one package reads: the
# lines outside any marked block, and the blocks marked for PACKAGE (deb,
# tarball, zip or source). A block opens with a line
#   .\" package: deb tarball          (manual pages)
#   <!-- package: deb tarball -->     (Markdown)
# and closes with the same line saying "end"; blocks may nest. Marker lines
# are dropped.
# usage: for-package.sh PACKAGE SOURCE OUTPUT
set -euo pipefail
package=$1
mkdir -p "$(dirname "$3")"
awk -v package="$package" '
  function marker(line) {
    if (match(line, /^\.\\" package: [a-z ]+$/)) return substr(line, 14)
    if (match(line, /^<!-- package: [a-z ]+ -->$/)) return substr(line, 15, length(line) - 18)
    return ""
  }
  function fail(text) { print FILENAME ":" NR ": " text > "/dev/stderr"; failed = 1; exit 1 }
  BEGIN { depth = 0; dropped = 0 }
  {
    names = marker($0)
    if (names == "") { if (dropped == 0) print; next }
    if (names == "end") {
      if (depth == 0) fail("end without a block")
      if (!kept[depth]) dropped--
      depth--; next
    }
    keep = 0
    n = split(names, list, " ")
    for (i = 1; i <= n; i++) {
      if (list[i] !~ /^(deb|tarball|zip|source)$/) fail("no package " list[i])
      if (list[i] == package) keep = 1
    }
    kept[++depth] = keep
    if (!keep) dropped++
  }
  END { if (!failed && depth > 0) { print FILENAME ": a block without end" > "/dev/stderr"; exit 1 } }
' "$2" >"$3.tmp"
mv "$3.tmp" "$3"
