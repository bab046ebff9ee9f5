#!/bin/sh
# Runs one of the example cases end to end: installs what is missing (Debian),
# builds the program (only it, not the test suite), copies the example into a
# scratch directory, puts the viewer stand-ins first on PATH, runs the
# program there and says where the report, the curve data and the plot are.
# The configure step still looks for GoogleTest, hence libgtest-dev below.
#
# usage: examples/run-example.sh [EXAMPLE]      EXAMPLE: f67w (default) or synthetic
#
# With a terminal, the text editor opens the input files and then the report,
# one after the other: close each to go on. Without one (stdin not a
# terminal, e.g. "examples/run-example.sh </dev/null") the run goes straight
# through. Set TALVIRONESKA_BIN to run a program already built (no install,
# no build) and TALVIRONESKA_RUN_DIR to choose where the scratch copy goes.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
example=${1:-f67w}
if ! [ -f "$root/examples/$example/talvironeska_2p1_dados_geral.txt" ]; then
  echo "usage: $0 [f67w|synthetic]" >&2
  exit 2
fi

install_missing() {
  missing=
  for p in cmake ninja-build g++ libgtest-dev gnuplot-nox python3-markdown; do
    dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  if [ "$(id -u)" -eq 0 ]; then sudo=; else sudo=sudo; fi
  $sudo apt-get update -q
  # $missing is a list of words
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
}

bin=${TALVIRONESKA_BIN:-}
if [ -z "$bin" ]; then
  if command -v dpkg >/dev/null 2>&1; then install_missing; fi
  cd "$root"
  cmake --preset default >/dev/null
  cmake --build --preset default --target talvironeska
  bin=$root/build/talvironeska
fi

runs=${TALVIRONESKA_RUN_DIR:-$root/build/example-runs}
dir=$runs/$example
viewers=$runs/viewers
rm -rf "$dir"
mkdir -p "$dir" "$viewers"
cp "$root/examples/$example"/* "$dir"/
rm -f "$dir/README.md"
ln -sf "$root/share/viewers/notepad" "$viewers/notepad"
ln -sf "$root/share/viewers/notepad" "$viewers/Notepad"
ln -sf "$root/share/viewers/Wgnuplot" "$viewers/Wgnuplot"

cd "$dir"
status=0
PATH="$viewers:$PATH" "$bin" || status=$?
if [ "$status" -ne 0 ]; then
  echo "talvironeska ended with status $status in $dir" >&2
  exit "$status"
fi

report=$(ls -- *_saida_A.txt 2>/dev/null || true)
if [ -z "$report" ]; then
  echo "talvironeska wrote no report in $dir" >&2
  exit 1
fi
case_name=${report%_saida_A.txt}
echo
echo "The $example example ran in $dir"
echo "  report:     $dir/${case_name}_saida_A.txt"
echo "  curve data: $dir/${case_name}_saida_B.txt"
if [ -f talvironeska_2p1_curva_F-t.png ]; then
  echo "  plot:       $dir/talvironeska_2p1_curva_F-t.png"
fi
echo
echo "Main results (the report is Windows-1252 text with CR LF line ends):"
sed -n '36,55p' "${case_name}_saida_A.txt" | tr -d '\r' | iconv -f WINDOWS-1252 -t UTF-8 |
  grep -v -e '^$' -e '----------'
