#!/usr/bin/env bash
# Builds lumeq.exe and starts it under Wine: on your X display when there is one,
# otherwise as a short demo on a private headless X server that then stops.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
# Only what is started: the program, and for the demo the helpers that look at it.
cmake --preset windows >/dev/null
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  cmake --build --preset windows -j "$jobs" --target lumeq
  exec wine build/windows/lumeq.exe
fi
cmake --build --preset windows -j "$jobs" --target lumeq probe
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs" --target xramp
exec python3 scripts/demo.py
