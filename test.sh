#!/usr/bin/env bash
# Builds and runs every test in the optimised build users get, then again under
# AddressSanitizer and UndefinedBehaviorSanitizer. Warnings are errors here. The optimised
# build is build/ (./run.sh then uses its program), the sanitizer build build-asan/.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMAVROLIN_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMAVROLIN_SANITIZE=ON -DMAVROLIN_BENCH=OFF \
  -DMAVROLIN_WERROR=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
