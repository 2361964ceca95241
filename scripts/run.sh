#!/usr/bin/env bash
# Builds lumeq.exe and starts it under Wine: on your X display when there is one,
# otherwise as a short demo on a private headless X server that then stops.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine build/windows/lumeq.exe
fi
exec python3 scripts/demo.py
