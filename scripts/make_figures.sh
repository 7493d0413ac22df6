#!/bin/sh
# Writes the example figures of docs/figures/ from the Gaussian logs of a corpus folder:
#   scripts/make_figures.sh [CORPUS] [PROGRAM]
# CORPUS defaults to ../shared/corpus beside the checkout, PROGRAM to build/mavrolin.
# Each figure is written at single-column size (8.5 x 6 cm, 8 pt) and 300 dpi, with the
# plotted numbers beside it as CSV; the other outputs of the commands go to a scratch folder.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
corpus=${1:-$here/../shared/corpus}
mavrolin=${2:-$here/build/mavrolin}
out=${FIGURES_OUT:-$here/docs/figures}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$out"
fig() { name=$1; shift; "$mavrolin" --quiet "$@" --dpi 300 --figure "$out/$name.png" --csv "$scratch/$name.csv"; }

fig uv_vis spectrum "$corpus/g16/dvb_td.out" -o "$scratch/td.txt" --sigma 0.2 --components
fig uv_vis_ev spectrum "$corpus/g16/dvb_td.out" -o "$scratch/td_ev.txt" --unit ev --sigma 0.3
# The overlay is a made-up CD spectrum (docs/figures/ecd_experimental_made_up.txt), not a measurement.
fig ecd_dvb ecd "$corpus/g09/dvb_td.out" -o "$scratch/ecd.txt" --sigma 0.25 --figure-size 12x8 \
    --experimental "$out/ecd_experimental_made_up.txt"
fig ir ir "$corpus/g16/dvb_ir.out" -o "$scratch/ir.txt" --fwhm 12
fig raman ir "$corpus/g16/dvb_raman.out" -o "$scratch/raman.txt" --raman --fwhm 12 --no-sticks
fig mo_levels mo "$corpus/g16/dvb_sp.out" "$corpus/g16/dvb_un_sp.log" --table "$scratch/mo.txt" \
    --labels "dvb,dvb cation" --figure-size 12x7
fig pdos pdos "$corpus/g16/dvb_sp.out" -o "$scratch/pdos.txt" --set 1-30 --set 31-60 --total --sigma 200 \
    --min -25 --max 0
fig profile profile "$corpus/g16/dvb_gopt.out"
# Two TD jobs weighted by the populations of two frequency jobs, each conformer's share drawn.
"$mavrolin" --quiet thermo "$corpus/g16/dvb_ir.out" "$corpus/g09/dvb_ir.out" -o "$scratch/populations.csv"
fig weighted_uv_vis spectrum "$corpus/g16/dvb_td.out" "$corpus/g09/dvb_td.out" -o "$scratch/weighted.txt" \
    --weights-from "$scratch/populations.csv" --components --figure-size 12x7
echo "figures written to $out"
