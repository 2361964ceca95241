#!/usr/bin/env bash
# Prints the benchmark figures (never asserted).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
scripts/build.sh >/dev/null
export LUMEQ_WINDOWS_DIR=$PWD/build/windows LUMEQ_XRAMP=$PWD/build/native/xramp
export LUMEQ_E2E_WORK=$PWD/build/native/e2e LUMEQ_XKEYLAT=$PWD/build/native/bench/xkeylat
echo "== ramp maths and watcher tick (native) =="
build/native/bench/core_bench --benchmark_min_time=0.2 2>/dev/null | grep -E "^BM_"
echo "== every figure beside its floor (under Wine; LUMEQ_BENCH_QUICK=1 for fewer runs) =="
python3 bench/pairs.py
echo "== the Linux edition beside its floors (native, private Xorg) =="
python3 bench/native_pairs.py
[ "${LUMEQ_BENCH_QUICK:-}" = 1 ] && exit 0
echo "== start-up under Wine at 96 and 144 dpi =="
python3 bench/startup.py
echo "== screenshots under Wine =="
python3 bench/screenshots_wine.py
echo "== recovery after a kill under Wine =="
python3 bench/recovery.py
echo "== fuzzing (native, 20 s each) =="
for target in settings registry_values; do
  fuzz/run_fuzzer.sh build/fuzz/${target}_fuzz fuzz/corpus/$target build/native/fuzz-work/bench-$target 20
done
echo "== lumeq.exe =="
size=$(stat -c %s build/windows/lumeq.exe)
echo "size: $size bytes ($((size / 1024)) KiB)"
echo "imported DLLs: $(x86_64-w64-mingw32-objdump -p build/windows/lumeq.exe | awk '/DLL Name/ {print $3}' | sort | tr '\n' ' ')"
