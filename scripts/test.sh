#!/usr/bin/env bash
# Builds everything and runs every test: the fuzz targets for a bounded time, the native
# unit tests, the Linux edition and the real program under Wine on private X servers.
# Arguments, if any, go to ctest instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
scripts/build.sh
if [ $# -eq 0 ]; then
  # The fuzzers first (a bounded run each, LUMEQ_FUZZ_SECONDS, 40 by default), with their
  # figures; then everything else.
  rm -f build/native/fuzz-work/*/figures.txt
  ctest --preset native -L fuzz
  cat build/native/fuzz-work/*/figures.txt
  ctest --preset native -LE fuzz
else
  ctest --preset native "$@"
fi
