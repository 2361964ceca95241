#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, then the real program
# under Wine on a private X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
ctest --preset native "$@"
