#!/bin/bash
# Times the companion's three commands against the program at scale, side by
# side: each round runs, in turn, the program on case 1 and on case 2, the
# check on case 1, the import of case 1's thrust file and the program on the
# case it writes, and the series of cases 1 and 2; every output is fresh.
# Prints, per command, the median wall time and peak memory over the rounds,
# and the ratios the targets are stated in.
#
# usage: companion_scale.sh BIN_DIR [ROUNDS] [N]
#   BIN_DIR  holds talvironeska and talvironeska-inspect
# Cases come from ../shared/bench/gen.py (about 0.5 GB at 1e7) in
# ${BENCH_DATA:-${TMPDIR:-/tmp}/talvironeska-scale}.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(realpath "$1"); rounds=${2:-5}; n=${3:-1e7}
data=${BENCH_DATA:-${TMPDIR:-/tmp}/talvironeska-scale}
gen=${GEN:-$here/../../shared/bench/gen.py}
mkdir -p "$data/fake"
for c in 1 2; do
  [ -f "$data/case$c-$n/dados.dat" ] ||
    python3 "$gen" "$(python3 -c "print(int(float('$n')))")" "$data/case$c-$n" --seed $c >/dev/null
done
for v in Notepad notepad Wgnuplot; do printf '#!/bin/sh\nexit 0\n' >"$data/fake/$v"; chmod +x "$data/fake/$v"; done
export PATH="$data/fake:$PATH"
times=$data/times.txt; : >"$times"
# measure NAME DIR COMMAND...: one timed run in DIR, "NAME wall_s peak_kB" appended.
measure() {
  local name=$1 dir=$2; shift 2
  (cd "$dir" && timeout 900 /usr/bin/time -f "$name %e %M" -a -o "$times" "$@" </dev/null >/dev/null 2>&1) || true
}
fresh_case() { rm -f "$data/case$1-$n"/caso_saida_* "$data/case$1-$n"/*.png; }
for ((r = 0; r < rounds; r++)); do
  fresh_case 1; measure program1 "$data/case1-$n" "$bin/talvironeska"
  fresh_case 2; measure program2 "$data/case2-$n" "$bin/talvironeska"
  measure check "$data/case1-$n" "$bin/talvironeska-inspect"
  rm -rf "$data/import"
  measure import "$data" "$bin/talvironeska-inspect" importar "case1-$n/dados.dat" --tempo s --empuxo N \
    --massa 0.25 --saida import
  measure program_import "$data/import" "$bin/talvironeska"
  rm -rf "$data/series"
  measure series "$data" "$bin/talvironeska-inspect" serie "case1-$n" "case2-$n" --saida series
done
python3 - "$times" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    name, wall, kb = line.split()
    rows.setdefault(name, []).append((float(wall), int(kb)))
med = {k: (statistics.median(w for w, _ in v), statistics.median(m for _, m in v) / 1024) for k, v in rows.items()}
for k, (w, m) in med.items():
    print(f"{k:15s} wall {w:7.2f} s  peak {m:8.0f} MB  ({len(rows[k])} runs)")
p1, p2, pi = med["program1"], med["program2"], med["program_import"]
print(f"check  / program:        time {med['check'][0] / p1[0]:.2f}x  memory {med['check'][1] / p1[1]:.2f}x   (targets 2x, 2.5x)")
print(f"import / program on it:  time {med['import'][0] / pi[0]:.2f}x  memory {med['import'][1] / pi[1]:.2f}x   (targets 3x, 2.5x)")
limit = 2 * (p1[0] + p2[0]) + 2
print(f"series: {med['series'][0]:.2f} s against 2 x (program 1 + program 2) + 2 s = {limit:.2f} s;"
      f" memory {med['series'][1] / p1[1]:.2f}x the program's on one firing (target 2.5x)")
PY
