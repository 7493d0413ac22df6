#!/usr/bin/env bash
# Runs every Gaussian log of a folder through index, report, geometry, coefficients, pdos
# and ir, and counts the job summaries whose structure table is empty although the log
# prints coordinates, or whose charge column is empty although the log prints Mulliken
# charges after its final geometry. Each log is copied into a scratch folder first, so
# nothing is written beside it.
#
#   scripts/corpus_structure_check.sh BINARY [FOLDER]      (FOLDER: ../shared/corpus)
set -u
bin=$(realpath "${1:?usage: $0 BINARY [FOLDER]}")
folder=${2:-$(dirname "$0")/../../shared/corpus}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

coords='^ *(Standard|Input|Z-Matrix) orientation:[[:space:]]*$'
charges='^ *(Mulliken charges|Mulliken charges and spin densities|Mulliken atomic charges|Total atomic charges):[[:space:]]*$'
empty_tables=0 empty_charges=0 logs=0
printf '%-34s %6s %6s %6s %6s %6s %6s %6s %8s\n' log index report geom coeff pdos ir atoms no-charge
while IFS= read -r log; do
    logs=$((logs + 1))
    name=$(basename "$log")
    work="$scratch/$logs"
    mkdir -p "$work" && cp "$log" "$work/$name"
    in="$work/$name"
    status() { "$bin" --quiet "$@" >/dev/null 2>>"$work/stderr"; echo $?; }
    s_index=$(status index "$in" -o "$work/index.txt")
    s_report=$(status report "$in" -o "$work/report.txt")
    s_geom=$(status geometry "$in" -o "$work/geom.abc")
    s_coeff=$(status coefficients "$in" --mo-ao -o "$work/coeff.txt")
    s_pdos=$(status pdos "$in" --set 1-2 -o "$work/pdos.txt")
    s_ir=$(status ir "$in" -o "$work/ir.txt")
    # Structure rows of the report: between the second and third 80-dash lines after
    # "Standard Orientation:"; field 6 (after the leading tab) is the charge.
    read -r atoms nocharge < <(awk -F'\t' '
        { sub(/\r$/, "") }
        /^\tStandard Orientation:/ { on = 1; next }
        on && $2 ~ /^-+$/ && length($2) == 80 { rule++; if (rule == 3) on = 0; next }
        on && rule == 2 && $2 != "" { n++; if ($6 == "") m++ }
        END { print n + 0, m + 0 }' "$work/report.txt" 2>/dev/null || echo "0 0")
    if grep -Eq "$coords" "$log" && [ "$atoms" -eq 0 ]; then empty_tables=$((empty_tables + 1)); fi
    # Charges count when printed after the final geometry (not those of an earlier one).
    last_coords=$(grep -En "$coords" "$log" | tail -1 | cut -d: -f1)
    last_charges=$(grep -En "$charges" "$log" | tail -1 | cut -d: -f1)
    if [ -n "$last_charges" ] && [ "${last_charges:-0}" -gt "${last_coords:-0}" ] && [ "$nocharge" -gt 0 ]; then
        empty_charges=$((empty_charges + 1))
    fi
    printf '%-34s %6s %6s %6s %6s %6s %6s %6s %8s\n' "${log#"$folder"/}" "$s_index" "$s_report" "$s_geom" \
        "$s_coeff" "$s_pdos" "$s_ir" "$atoms" "$nocharge"
done < <(find "$folder" -type f \( -name '*.log' -o -name '*.out' \) | sort)
echo "logs: $logs  empty structure tables: $empty_tables  empty charge columns: $empty_charges"
