#!/usr/bin/env bash
# Sets up the machine (packages, Wine prefix), builds, and runs the whole test
# suite under Wine on a private Xvfb display. Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

bash "$KESTROVA_ROOT/scripts/setup.sh"
mkdir -p "$BUILD_DIR"
kestrova_build
kestrova_prefix

KESTROVA_FORCE_XVFB=1 kestrova_display
rm -rf "$WINEPREFIX/comlocks"
kestrova_wineserver
finish() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${KESTROVA_XVFB_PID:-}" ] && kill "$KESTROVA_XVFB_PID" 2>/dev/null || true
}
trap finish EXIT

# Most tests spend their time waiting on the links' time-outs, so even a
# small machine runs at least four at once.
jobs=$(nproc)
[ "$jobs" -ge 4 ] || jobs=4
cd "$BUILD_DIR"
ctest --output-on-failure -j "${KESTROVA_TEST_JOBS:-$jobs}" --timeout 300 "$@"
