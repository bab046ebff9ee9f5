#!/bin/bash
# The companion's pages in a real browser: the F67 example's case page and a
# series page are made by the build's binaries, then Debian's chromium,
# headless, prints each to PDF and takes a screenshot of it. Fails unless
# every PDF has A4 pages, holds the page's impulse figure as text, and the
# screenshot shows the plot drawn in its colours.
#
#   tests/browser/check_pages.sh BUILD_DIR [SHOTS_DIR]
#
# With SHOTS_DIR the two screenshots are copied there (the README's, in docs/).
# Needs chromium and poppler-utils (pdfinfo, pdftotext).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: check_pages.sh BUILD_DIR [SHOTS_DIR]}" && pwd)
shots=${2:-}
work=$(mktemp -d /tmp/talvironeska-pages-XXXXXX)
trap 'rm -rf "$work"' EXIT

# The F67 example, run by the program first, then its page.
mkdir "$work/f67w"
cp "$source_dir"/examples/f67w/* "$work/f67w/"
(cd "$work/f67w" && "$build/talvironeska" </dev/null >/dev/null 2>&1 || true)
(cd "$work/f67w" && "$build/talvironeska-inspect" relatorio --motor "AeroTech F67-6W" \
  --equipe "Equipe de exemplo" --data 2017-10-29 --notas "Ensaio de certificação NAR (exemplo)" >/dev/null)
# Two real L1420R firings as a series.
mkdir "$work/serie"
real="$source_dir/tests/data/real/olemiss-l1420r"
cp "$real/l1420r_test1_tared.dat" "$real/l1420r_test2_tared.dat" "$work/serie/"
(cd "$work/serie" && "$build/talvironeska-inspect" serie l1420r_test1_tared.dat l1420r_test2_tared.dat \
  --rate 2000 --massa 2.56 --saida . >/dev/null)

browser() {
  local profile
  profile=$(mktemp -d "$work/profile-XXXXXX")
  timeout 120 chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$profile" "$@" >/dev/null 2>&1
}

# PAGE FIGURE_NAME COLOUR... : prints PAGE, checks it; each COLOUR (r,g,b) of
# the plot must cover a few hundred pixels of the screenshot.
check_page() {
  local page=$1 figure=$2 name
  shift 2
  name=$(basename "$page" .html)
  browser --print-to-pdf="$work/$name.pdf" "file://$page"
  browser --screenshot="$work/$name.png" --window-size=1200,1600 "file://$page"
  pdfinfo "$work/$name.pdf" | grep -q '^Page size:.*(A4)' || { echo "$name: PDF pages are not A4" >&2; return 1; }
  local value
  value=$(grep -o "data-json=\"$figure\">[^<]*<" "$page" | head -n 1 | sed 's/.*>\(.*\)</\1/')
  [ -n "$value" ] || { echo "$name: no $figure on the page" >&2; return 1; }
  pdftotext "$work/$name.pdf" - | grep -qF "$value" || { echo "$name: the PDF lacks $value" >&2; return 1; }
  python3 "$source_dir/tests/browser/png_colours.py" "$work/$name.png" "$@" || { echo "$name: no plot" >&2; return 1; }
  [ -z "$shots" ] || cp "$work/$name.png" "$shots/pagina-$name.png"
  echo "$name: A4, $figure $value in the PDF, the plot drawn"
}

check_page "$work/f67w/f67w_relatorio.html" burn.impulse_Ns 31,78,153 227,236,247
check_page "$work/serie/serie.html" series.program.It_Ns.mean 148,0,211 0,158,115
