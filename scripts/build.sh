#!/usr/bin/env bash
# Sets up the machine and builds everything (the program, the simulated
# instrument, the tests and the benchmarks) into build/, and runs nothing.
# Extra arguments go to the build (for example a target: --target kestrova).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

bash "$KESTROVA_ROOT/scripts/check-layers.sh"
bash "$KESTROVA_ROOT/scripts/setup.sh"
mkdir -p "$BUILD_DIR"
kestrova_build "$@"
