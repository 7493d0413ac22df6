#!/usr/bin/env bash
# Builds the large logs of the benchmarks by repeating real Gaussian outputs of each kind
# (relaxed scan, optimisation, TD-DFT, Pop=Full with a big basis) to about a million lines,
# and with --measure times a command on each against `wc -l` on the same file.
#
#   bench/real_logs.sh [--lines N] [--measure 'COMMAND' [--runs N]] FOLDER
#
# The logs go into FOLDER (made when missing; a log already there is kept). COMMAND is
# run with the log's path appended, e.g. --measure 'build/mavrolin index'. Each run of it
# is paired with a run of `wc -l`; the figure is the median of the pairs' ratios of CPU
# time (user + system), with the median peak memory. The corpus is MAVROLIN_CORPUS, else
# ../shared/corpus beside the project. Nothing in the test suite needs these logs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
corpus=${MAVROLIN_CORPUS:-$here/../shared/corpus}
lines=1000000 measure="" runs=7
while [ $# -gt 1 ]; do
  case $1 in
    --lines) lines=$2; shift 2 ;;
    --measure) measure=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -eq 1 ] || { echo "usage: $0 [--lines N] [--measure 'COMMAND' [--runs N]] FOLDER" >&2; exit 2; }
out=$1
mkdir -p "$out"

# name: the corpus log it repeats
kinds=(relaxed_scan:g16/dvb_scan_relaxed.log optimisation:g16/dvb_gopt.out
       tddft:g16/dvb_td.out popfull_bigbasis:g16/C_bigbasis.out)

for kind in "${kinds[@]}"; do
  name=${kind%%:*} src=$corpus/${kind#*:}
  log=$out/$name.log
  [ -s "$log" ] && continue
  [ -f "$src" ] || { echo "missing $src (set MAVROLIN_CORPUS)" >&2; exit 1; }
  per=$(wc -l < "$src")
  copies=$(( (lines + per - 1) / per ))
  for ((i = 0; i < copies; i++)); do cat "$src"; done > "$log"
  echo "$log: $copies copies of ${kind#*:}, $(wc -l < "$log") lines"
done

[ -n "$measure" ] || exit 0

# CPU seconds and peak KiB of one run.
cpu_of() {
  local t
  t=$( { /usr/bin/time -f '%U %S %M' "$@" > /dev/null 2> /dev/null; } 2>&1 | tail -1) || true
  awk '{ printf "%.4f %d\n", $1 + $2, $3 }' <<< "$t"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

printf '%-18s %10s %10s %10s %10s\n' log "wc -l s" "cmd s" ratio "peak MiB"
for kind in "${kinds[@]}"; do
  name=${kind%%:*} log=$out/$name.log
  ratios=() cmds=() wcs=() peaks=()
  read -r -a command <<< "$measure"
  /usr/bin/time -o /dev/null "${command[@]}" "$log" > /dev/null 2>&1 || true  # warm the page cache
  for ((r = 0; r < runs; r++)); do
    read -r a peak < <(cpu_of "${command[@]}" "$log")
    read -r b _ < <(cpu_of wc -l "$log")
    cmds+=("$a") wcs+=("$b") peaks+=("$peak")
    ratios+=("$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", b > 0 ? a / b : 0 }')")
  done
  printf '%-18s %10s %10s %10s %10s\n' "$name" \
    "$(printf '%s\n' "${wcs[@]}" | median)" "$(printf '%s\n' "${cmds[@]}" | median)" \
    "$(printf '%s\n' "${ratios[@]}" | median)" \
    "$(printf '%s\n' "${peaks[@]}" | median | awk '{ printf "%.1f", $1 / 1024 }')"
done
