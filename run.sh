#!/usr/bin/env bash
# Builds Mavrolin and opens the bundled example in the desktop program; without a
# display, runs the batch commands on the example and writes their outputs into out/.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
# The program of ./test.sh's optimised build (build/) when there is one, so neither
# script rebuilds what the other built; otherwise its own optimised build in build-run/.
dir=build
if [ ! -f build/CMakeCache.txt ]; then
  dir=build-run
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMAVROLIN_WERROR=OFF
fi
cmake --build "$dir" -j "$(nproc)" --target mavrolin  # the program only, not tests or benchmarks
example=examples/opt_freq_td.log
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "./$dir/mavrolin" "$example"
fi
mkdir -p out
echo "No display found: running the batch commands on $example"
status=0
run() { echo "+ mavrolin $*"; "./$dir/mavrolin" "$@" || status=1; }
run index "$example" -o out/example_index.txt
run scf "$example" -o out/example_scf.txt
run report "$example" -o out/example_report.txt
run geometry "$example" -o out/example.abc
run profile "$example" -o out/example_profile.png
run spectrum "$example" -o out/example.calcd.txt --image out/example_spectrum.png
run esi "$example" --nm-limit 100 -o out/example.esi.txt  # ethylene absorbs below 200 nm
run ir "$example" -o out/example.ir.txt --image out/example_ir.png
run mo "$example" --table out/example_mo.txt --sheet out/example_mo_sheet.txt --image out/example_mo.png
echo "Outputs written into out/:"
ls -l out
exit $status
