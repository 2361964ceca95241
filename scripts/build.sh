#!/usr/bin/env bash
# Builds lumeq.exe (mingw-w64 cross build) and the native core, tests and helpers.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
