#!/usr/bin/env bash
# Builds Mavrolin and opens the bundled example in the desktop program; without a
# display, runs the batch commands on the example and writes their outputs into out/.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAVROLIN_WERROR=OFF
cmake --build build -j "$(nproc)" --target mavrolin  # the program only, not tests or benchmarks
example=examples/opt_freq_td.log
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/mavrolin "$example"
fi
mkdir -p out
echo "No display found: running the batch commands on $example"
status=0
run() { echo "+ mavrolin $*"; ./build/mavrolin "$@" || status=1; }
for cmd in index scf report geometry; do
  if ./build/mavrolin "$cmd" --help >/dev/null 2>&1; then
    case $cmd in
      index) run index "$example" -o out/example_index.txt ;;
      scf) run scf "$example" -o out/example_scf.txt ;;
      report) run report "$example" -o out/example_report.txt ;;
      geometry) run geometry "$example" -o out/example.abc ;;
    esac
  fi
done
if ./build/mavrolin profile --help >/dev/null 2>&1; then run profile "$example" -o out/example_profile.png; fi
echo "Outputs written into out/:"
ls -l out
exit $status
