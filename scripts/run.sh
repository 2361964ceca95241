#!/usr/bin/env bash
# Builds and starts lumeq gamma.
#   scripts/run.sh            the Linux edition (lumeq-gamma) on your X display; without
#                             one, a short demo on a private headless X server that shows a
#                             real boost and stops
#   scripts/run.sh --windows  lumeq.exe under Wine, the same way
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
has_display() { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }

if [ "${1:-}" = "--windows" ]; then
  scripts/install-deps.sh windows
  # Only what is started: the program, and for the demo the helpers that look at it.
  cmake --preset windows >/dev/null
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  if has_display; then
    cmake --build --preset windows -j "$jobs" --target lumeq
    exec wine build/windows/lumeq.exe
  fi
  cmake --build --preset windows -j "$jobs" --target lumeq probe
  # The native helper that reads the X server's ramp back; neither the Linux edition nor
  # the tests are needed for it.
  cmake --preset native -DLUMEQ_LINUX_EDITION=OFF -DBUILD_TESTING=OFF >/dev/null
  cmake --build --preset native -j "$jobs" --target xramp
  exec python3 scripts/demo.py
fi

scripts/install-deps.sh linux
cmake --preset native -DBUILD_TESTING=OFF >/dev/null
cmake --build --preset native -j "$jobs" --target lumeq-gamma
if has_display; then
  exec build/native/lumeq-gamma
fi
exec python3 scripts/demo_native.py
