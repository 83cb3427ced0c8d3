#!/usr/bin/env bash
# Sets up the machine, builds, and starts Kestrova under Wine with a simulated
# WQT5530 instrument to connect to: on LAN at 127.0.0.1 (port 10001, and
# answering the LAN search there, where Kestrova's search is sent) and on
# serial port COM3 (the simulator holds the other end, COM4).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

bash "$KESTROVA_ROOT/scripts/setup.sh"
mkdir -p "$BUILD_DIR"
kestrova_build
kestrova_prefix
kestrova_display
kestrova_wineserver

rm -f "$WINEPREFIX/dosdevices/com3" "$WINEPREFIX/dosdevices/com4"
socat pty,raw,echo=0,link="$WINEPREFIX/dosdevices/com3" \
      pty,raw,echo=0,link="$WINEPREFIX/dosdevices/com4" 2>/dev/null &
SOCAT_PID=$!
sleep 0.5
wine "$BUILD_DIR/tools/wqt_sim.exe" --lan 127.0.0.1 --com COM4 --model WQT5530 \
     --discovery 127.0.0.1 >"$BUILD_DIR/wqt_sim.log" 2>&1 &
SIM_PID=$!
cleanup() {
  kill "$SIM_PID" 2>/dev/null || true
  kill "$SOCAT_PID" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${KESTROVA_XVFB_PID:-}" ] && kill "$KESTROVA_XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT

echo "Simulated WQT5530: LAN 127.0.0.1, serial COM3 (log: $BUILD_DIR/wqt_sim.log)"
# The LAN search asks 127.0.0.1, where the simulator answers it, instead of
# broadcasting on the network.
KESTROVA_LAN_SEARCH_ADDRESS=127.0.0.1 wine "$BUILD_DIR/app/kestrova.exe"
