#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (ASan + UBSan) in build-fuzz/ and runs
# each for SECONDS (default 60), one after another. Exits non-zero when a target found
# something, naming the file that reproduces it; every target is run either way.
#   ./fuzz.sh 600            ten minutes per target
#   FUZZ_TARGETS="fuzz_geometry" ./fuzz.sh 60    only the named targets
set -euo pipefail
cd "$(dirname "$0")"
seconds=${1:-60}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: $0 [SECONDS]" >&2; exit 2; }

./scripts/deps.sh
if ! command -v clang++ >/dev/null || ! compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
  echo "Installing clang and its fuzzer runtime"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends clang libclang-rt-dev
fi

build="$PWD/build-fuzz"  # absolute: the handlers under test change the working folder
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DMAVROLIN_FUZZ=ON -DMAVROLIN_WITH_QT=OFF -DMAVROLIN_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_targets -j "$(nproc)"

targets=${FUZZ_TARGETS:-"fuzz_logscan fuzz_geometry fuzz_settings fuzz_basis_imports fuzz_lines"}
mkdir -p "$build/findings" "$build/logs"
failed=0
printf '%-20s %8s %12s %8s %8s  %s\n' target seconds executions cov ft result
for t in $targets; do
  corpus="$build/corpus/$t"  # inputs found on earlier runs; the seeds stay as committed
  mkdir -p "$corpus"
  log="$build/logs/$t.log"
  start=$(date +%s)
  status=0
  ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    -dict="$PWD/fuzz/gaussian.dict" -artifact_prefix="$build/findings/$t-" "$corpus" "$PWD/fuzz/seeds/$t" >"$log" 2>&1 ||
    status=$?
  elapsed=$(($(date +%s) - start))
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  cov=$(grep -o 'cov: [0-9]*' <<<"$last" | grep -o '[0-9]*' || true)
  ft=$(grep -o 'ft: [0-9]*' <<<"$last" | grep -o '[0-9]*' || true)
  if ((status == 0)); then
    result=ok
  else
    failed=1
    crash=$(grep -o 'Test unit written to [^ ]*' "$log" | tail -1 | sed 's/Test unit written to //' || true)
    result="FINDING (status $status): ${crash:-see $log}"
  fi
  printf '%-20s %8s %12s %8s %8s  %s\n' "$t" "$elapsed" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$result"
done
if ((failed)); then
  echo "A target found a fault: reproduce with $build/fuzz/TARGET FILE; logs in $build/logs/" >&2
  exit 1
fi
