#!/usr/bin/env bash
# Runs the text-writing batch commands of two builds over every log of the test fixtures
# and of the corpus (and over copies cut at a third and at two thirds of their lines) and
# reports every output, message or exit status that differs between them.
#
#   scripts/compare_outputs.sh REFERENCE_PROGRAM NEW_PROGRAM [LOG...]
#
# Without LOG arguments it takes tests/data/ and the corpus (MAVROLIN_CORPUS, else
# ../shared/corpus beside the project). Exit status 0 when everything is identical.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 2 ] || { echo "usage: $0 REFERENCE_PROGRAM NEW_PROGRAM [LOG...]" >&2; exit 2; }
ref=$(realpath "$1") new=$(realpath "$2")
shift 2
work=$(mktemp -d "${TMPDIR:-/tmp}/mavrolin-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT

if [ $# -gt 0 ]; then
  logs=("$@")
else
  corpus=${MAVROLIN_CORPUS:-../shared/corpus}
  mapfile -t logs < <(find tests/data "$corpus" -type f \( -name '*.log' -o -name '*.out' \) 2>/dev/null | sort)
fi

# Inputs: each log as it is and cut after a third and two thirds of its lines. One folder
# serves both builds, so any path a program writes into its output is the same.
mkdir -p "$work/in"
n=0
for log in "${logs[@]}"; do
  n=$((n + 1))
  base=$(printf '%03d_%s' "$n" "$(basename "$log")")
  cp "$log" "$work/in/$base"
  lines=$(wc -l < "$log")
  for part in 1 2; do
    head -n $((lines * part / 3)) "$log" > "$work/in/cut${part}_$base"
  done
done

# One input through every command of one build; outputs named alike in both builds' folders.
run_one() {
  local prog=$1 input=$2 out=$3
  mkdir -p "$out" && cd "$out"
  local status=0
  c() {
    local name=$1; shift
    "$prog" --quiet "$@" > "$name.stdout" 2> "$name.stderr" || status=$?
    echo "$status" > "$name.status"; status=0
  }
  c index index "$input" -o index.txt
  c scf scf "$input" -o scf.txt
  c report report "$input" -o report.txt
  c geometry geometry "$input" -o geometry.abc
  c zconst zmatrix "$input" --constrained -o zconst.com
  c zfree zmatrix "$input" --free -o zfree.com
  c spectrum spectrum "$input" -o spectrum.txt
  c esi esi "$input" -o esi.txt
  c mo mo "$input" --table mo.txt --sheet mo_sheet.txt
  c pdos pdos "$input" --set 1-3 --set 4-6,9 --total -o pdos.txt
  c coefficients coefficients "$input" --mo-ao -o coefficients.txt
  c squares coefficients "$input" --squares -o squares.txt
  c ir ir "$input" -o ir.txt
  c raman ir "$input" --raman -o raman.txt
  c scan scan "$input" -o scan.energy
  c xyz geometry "$input" --xyz -o geometry.xyz
  c trajectory geometry "$input" --trajectory trajectory.xyz
  c molden molden "$input" -o molden.txt
}
export -f run_one

for input in "$work"/in/*; do
  name=$(basename "$input")
  printf '%s\0%s\0%s\0' "$ref" "$input" "$work/ref/$name"
  printf '%s\0%s\0%s\0' "$new" "$input" "$work/new/$name"
done | xargs -0 -n 3 -P "${JOBS:-2}" bash -c 'run_one "$@"' _

# The report carries the time it was written.
find "$work/ref" "$work/new" -type f -exec sed -i -E \
  's#[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}#<time>#g' {} +
if diff -rq "$work/ref" "$work/new" > "$work/differ.txt"; then
  echo "identical: $(ls "$work/in" | wc -l) inputs, $(find "$work/new" -type f | wc -l) outputs each"
else
  sed "s|$work/||g" "$work/differ.txt"
  diff -r "$work/ref" "$work/new" | sed "s|$work/||g" | cut -c1-200 | head -100 || true
  echo "DIFFERENT (see above)" >&2
  exit 1
fi
