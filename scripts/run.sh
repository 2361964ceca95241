#!/usr/bin/env bash
# Builds and starts lumeq gamma.
#   scripts/run.sh            the Linux edition (lumeq-gamma) on your X display; without
#                             one, a short demo on a private headless X server that shows a
#                             real boost and stops
#   scripts/run.sh --windows  lumeq.exe under Wine, the same way
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
has_display() { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }

if [ "${1:-}" = "--windows" ]; then
  # Only what is started: the program, and for the demo the helpers that look at it.
  cmake --preset windows >/dev/null
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  if has_display; then
    cmake --build --preset windows -j "$jobs" --target lumeq
    exec wine build/windows/lumeq.exe
  fi
  cmake --build --preset windows -j "$jobs" --target lumeq probe
  cmake --preset native >/dev/null
  cmake --build --preset native -j "$jobs" --target xramp
  exec python3 scripts/demo.py
fi

cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs" --target lumeq-gamma
if has_display; then
  exec build/native/lumeq-gamma
fi
exec python3 scripts/demo_native.py
