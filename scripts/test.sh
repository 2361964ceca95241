#!/usr/bin/env bash
# Builds everything and runs every test: the fuzz targets for a bounded time, the native
# unit tests, the Linux edition and the real program under Wine on private X servers.
# Arguments, if any, go to ctest instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
scripts/build.sh
jobs=$(nproc 2>/dev/null || echo 2)
if [ $# -eq 0 ]; then
  # Everything at once, as many tests as cores: each end-to-end module has an X server
  # (and Wine prefix) of its own, so a fuzzer (a bounded run each, LUMEQ_FUZZ_SECONDS, 40 by
  # default) busy on one core runs beside them. The fuzzers' figures come last.
  rm -f build/native/fuzz-work/*/figures.txt
  status=0
  ctest --preset native -j "$jobs" || status=$?
  cat build/native/fuzz-work/*/figures.txt 2>/dev/null || true
  if [ "$status" -ne 0 ]; then
    # Each failed test's own output once more, last, where a CI log that only keeps its
    # tail still shows which test failed and why (side by side, the outputs interleave).
    python3 scripts/failed-tests.py build/native/Testing/Temporary/LastTest.log
    exit "$status"
  fi
else
  ctest --preset native "$@"
fi
