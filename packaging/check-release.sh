#!/bin/bash
# Tests the release files in dist/ as a user gets them, not the build tree:
# each package is unpacked into a folder of its own and the F67 example runs
# from what it holds. The Windows zip runs under wine from cmd.exe, with only
# the zip's files and batch-file stand-ins for Notepad and Wgnuplot (the
# end-to-end suite's kind: they log the command line and return) first on
# the Windows PATH; its report and curve data must be byte-identical to the
# Linux run's. The .deb must pass lintian without errors.
#
# usage: packaging/check-release.sh    (after packaging/release.sh; wine uses
# WINEPREFIX as set, CI gives it a throw-away one)
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(talvironeska VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
zip=talvironeska-$version-win64.zip
deb=talvironeska_${version}_amd64.deb
tgz=talvironeska-$version-linux-amd64.tar.gz
dist=$PWD/dist
work=$(mktemp -d /tmp/talvironeska-release-XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "check-release: $*" >&2
  exit 1
}
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# A release publishes exactly these three files.
[ "$(cd "$dist" && ls | sort)" = "$(printf '%s\n' "$zip" "$deb" "$tgz" | sort)" ] ||
  fail "dist/ holds $(ls "$dist" | tr '\n' ' ')instead of $zip $deb $tgz"

# Data without a stated licence stay out of every package.
for listing in "$(unzip -Z1 "$dist/$zip")" "$(dpkg-deb -c "$dist/$deb")" "$(tar -tzf "$dist/$tgz")"; do
  if grep -qi -e l1420r -e knsb -e /tests/ <<<"$listing"; then fail "test data in a package"; fi
done

# The F67 example from the installed tree PREFIX, in the new folder DIR, the
# way a Linux user runs it: no terminal, no display, and a PATH that holds no
# viewer (the wrapper in bin/ must find the package's stand-ins).
run_linux() {
  local prefix=$1 dir=$2 err
  cp -r "$prefix/share/talvironeska/examples/f67w" "$dir"
  err=$(cd "$dir" && env -u DISPLAY -u WAYLAND_DISPLAY PATH=/usr/bin:/bin "$prefix/bin/talvironeska" </dev/null 2>&1) ||
    fail "$prefix/bin/talvironeska failed: $err"
  [ "$err" = "Notepad: no terminal, not opening talvironeska_2p1_dados_geral.txt
notepad: no terminal, not opening f67w_caso.txt
Wgnuplot: plot written to $dir/talvironeska_2p1_curva_F-t.png
Notepad: no terminal, not opening f67w_saida_A.txt" ] || fail "run from $prefix said: $err"
  [ -s "$dir/talvironeska_2p1_curva_F-t.png" ] || fail "no plot from $prefix"
  [ "$("$prefix/bin/talvironeska-inspect" --version)" = "talvironeska-inspect $version" ] ||
    fail "$prefix/bin/talvironeska-inspect --version is not $version"
  (cd "$dir" && "$prefix/bin/talvironeska-inspect" >/dev/null) || fail "the inspector rejects the example from $prefix"
}

# The Debian package: lintian, the control fields, then unpacked and run.
lintian --fail-on error "$dist/$deb" || fail "lintian reports errors on $deb"
[ "$(dpkg-deb -f "$dist/$deb" Version)" = "$version" ] || fail "$deb is not version $version"
grep -qw gnuplot <<<"$(dpkg-deb -f "$dist/$deb" Recommends)" || fail "$deb does not recommend gnuplot"
dpkg-deb -x "$dist/$deb" "$work/deb"
run_linux "$work/deb/usr" "$work/deb-run"

# The tarball holds the tree of the .deb and runs wherever it is unpacked,
# also under a folder whose name holds a colon, which no PATH entry can.
mkdir -p "$work/some/co:lon/place"
tar -xzf "$dist/$tgz" -C "$work/some/co:lon/place"
tree=$work/some/co:lon/place/${tgz%.tar.gz}
# ... and, at its top only, a LEIA-ME and the guide.
for top_file in LEIA-ME.txt guia.html; do
  [ -f "$tree/$top_file" ] || fail "$tgz has no $top_file at its top"
done
diff <(cd "$work/deb/usr" && find . | sort) <(cd "$tree" && find . ! -path ./LEIA-ME.txt ! -path ./guia.html | sort) ||
  fail "$tgz and $deb hold different trees"
# The guide as HTML that opens offline: no address outside it.
for guide in "$work/deb/usr/share/doc/talvironeska/guia.html" "$tree/guia.html"; do
  [ -f "$guide" ] || fail "no guide at $guide"
  if grep -qE '<(script|link)|src="http' "$guide"; then fail "$guide reaches outside itself"; fi
done
run_linux "$tree" "$work/tgz-run"

# Each package's manual pages and examples' READMEs give that package's paths
# and no other's. PACKAGE TEXT OWN OTHER...: TEXT holds OWN and none of OTHER.
own_paths() {
  local package=$1 text=$2 own=$3 other
  shift 3
  grep -qF -- "$own" <<<"$text" || fail "$package: no $own in its manual or README"
  for other in "$@"; do
    if grep -qF -- "$other" <<<"$text"; then fail "$package: $other in its manual or README"; fi
  done
}
texts() {
  local prefix=$1
  zcat "$prefix"/share/man/man1/*.1.gz
  cat "$prefix"/share/talvironeska/examples/*/README.md
}
own_paths deb "$(texts "$work/deb/usr")" /usr/share/talvironeska/examples/f67w "~/tv" PREFIX exemplos run-example
own_paths tarball "$(texts "$tree")" "~/tv/bin/talvironeska" /usr/share PREFIX exemplos run-example
# The man page's comparison with the published curve, in the .deb's example.
(cd "$work/deb-run" && "$work/deb/usr/bin/talvironeska-inspect" f67w.dat --referencia f67w_nar.eng >/dev/null) ||
  fail "the .deb's f67w example has no published curve to compare with"
cmp "$work/deb-run/f67w_saida_A.txt" "$work/tgz-run/f67w_saida_A.txt"

# The Windows zip, unpacked into an empty folder.
mkdir "$work/zip"
unzip -q "$dist/$zip" -d "$work/zip"
top=$work/zip/${zip%.zip}
own_paths zip "$(cat "$top"/manuais/*.txt 2>/dev/null || true)" 'exemplos\f67w' /usr/share PREFIX "~/tv" run-example
for exe in talvironeska.exe talvironeska-inspect.exe; do
  [ -f "$top/$exe" ] || fail "$zip has no $exe"
  # Statically linked: it imports only what every Windows has.
  dlls=$(x86_64-w64-mingw32-objdump -p "$top/$exe" | sed -n 's/^\s*DLL Name: //p' | sort -u | tr '\n' ' ')
  [ "$dlls" = "KERNEL32.dll msvcrt.dll " ] || fail "$exe needs $dlls"
done
if find "$top" -iname '*.dll' | grep -q .; then fail "$zip holds a DLL"; fi
[ -f "$top/exemplos/f67w/COPYING.txt" ] || fail "$zip lacks the F67 data's licence"
[ -f "$top/guia.html" ] || fail "$zip has no guia.html"
[ -f "$top/exemplos/hx711/ensaio_hx711.csv" ] || fail "$zip lacks the HX711 example"
while IFS= read -r -d '' text; do
  if [ "$(grep -c $'\r$' "$text")" != "$(wc -l <"$text")" ] || [ -n "$(tail -c1 "$text" | tr -d '\n')" ]; then
    fail "${text#"$top"/} has a line without CR LF"
  fi
  if ! iconv -f WINDOWS-1252 -t UTF-8 "$text" >/dev/null 2>&1; then fail "${text#"$top"/} is not Windows-1252"; fi
done < <(find "$top" -type f \( -name '*.txt' -o -name '*.dat' -o -name '*.gnu' \) -print0)
# LEIA-ME is Portuguese in Windows-1252 bytes ("Licenças"), not UTF-8.
grep -q $'Licen\xe7as' "$top/LEIA-ME.txt" || fail "LEIA-ME.txt is not Windows-1252 Portuguese"

mkdir "$work/winbin"
log=$work/launches.log
for fake in Notepad Wgnuplot; do
  printf '@echo off\r\n>>"%s" echo %%0 %%*\r\nexit /b 0\r\n' "$(windows_path "$log")" >"$work/winbin/$fake.bat"
done
# The README's two commands, in cmd.exe.
case_dir=$(windows_path "$top/exemplos/f67w")
WINEPATH=$(windows_path "$work/winbin") wine cmd /c "cd /d $case_dir && ..\\..\\talvironeska" </dev/null ||
  fail "talvironeska.exe failed"
[ "$(tr -d '\r' <"$log")" = "Notepad talvironeska_2p1_dados_geral.txt
notepad f67w_caso.txt
Wgnuplot talvironeska_2p1_curva_F-t.gnu
Notepad f67w_saida_A.txt" ] || fail "the Windows run launched: $(cat "$log")"
for out in f67w_saida_A.txt f67w_saida_B.txt; do
  cmp "$work/deb-run/$out" "$top/exemplos/f67w/$out" || fail "$out differs between Windows and Linux"
done
[ "$(wine "$top/talvironeska-inspect.exe" --version | tr -d '\r')" = "talvironeska-inspect $version" ] ||
  fail "talvironeska-inspect.exe --version is not $version"

echo "check-release: $zip, $deb and $tgz hold working programs; the F67 reports match"
