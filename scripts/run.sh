#!/usr/bin/env bash
# Sets up the machine, builds the program and the simulated instrument, and
# starts Kestrova under Wine with a simulated WQT5530 to connect to: on LAN at
# ADDRESS (TCP port 10001, and answering the LAN search there, where
# Kestrova's search is sent) and on serial port COM3 (the simulator holds the
# other end, COM4). Kestrova starts once the simulator answers; when the
# simulator cannot start, the script says why and stops. (When only the LAN
# search's ports are held by another program, the simulator starts without
# answering the search, and the script says so.)
#   run.sh [--address 127.x.y.z]      (127.0.0.1 unless given)
# With KESTROVA_RUN_PREBUILT=1 it neither sets up nor builds and runs what
# $BUILD_DIR holds (its test runs it so, on the suite's build).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

usage() {
  echo "usage: bash scripts/run.sh [--address 127.x.y.z]" >&2
  exit 2
}

# Prints a dotted address of 127.0.0.0/8 normalised, each field read as a
# decimal number from 0 to 255 ("127.0.0.010" is 127.0.0.10); fails on any
# other text.
loopback_address() {
  [[ $1 =~ ^127\.([0-9]{1,3})\.([0-9]{1,3})\.([0-9]{1,3})$ ]] || return 1
  local field out=127
  for field in "${BASH_REMATCH[@]:1}"; do
    field=$((10#$field))
    [ "$field" -le 255 ] || return 1
    out+=".$field"
  done
  echo "$out"
}

# The simulator's reply to "*IDN?" on its TCP port, or nothing.
identity_reply() {
  (
    exec 3<>"/dev/tcp/$address/10001" || exit 1
    printf '*IDN?\n' >&3
    IFS= read -r -t 2 reply <&3 || true
    printf '%s' "${reply%$'\r'}"
  ) 2>/dev/null || true
}

# The simulator's reply to a LAN search query on port 65535, or nothing.
lan_search_reply() {
  printf 'X' | timeout 3 socat -t 0.5 - "UDP-DATAGRAM:$address:65535" 2>/dev/null || true
}

# The simulator's output so far, without the carriage returns of its
# Windows line ends.
simulator_said() {
  tr -d '\r' <"$SIM_LOG"
}

# Starts the simulator on the address, on COM4 and with the given options.
start_simulator() {
  wine "$BUILD_DIR/tools/wqt_sim.exe" --lan "$address" --com COM4 --model WQT5530 "$@" \
       >"$SIM_LOG" 2>&1 &
  SIM_PID=$!
}

# Waits until the simulator has taken every address and port (its last line
# at start, the one given, says so) and answers on them: who it is over TCP,
# and the LAN search when it answers that. Fails when it ends first or does
# not answer within 30 s.
wait_for_simulator() { # last-line search|no-search
  local deadline=$((SECONDS + 30))
  while [ "$SECONDS" -lt "$deadline" ]; do
    kill -0 "$SIM_PID" 2>/dev/null || return 1
    simulator_said | grep -q 'wqt_sim: cannot' && return 1
    if simulator_said | grep -qF "$1" &&
       [[ $(identity_reply) == TROSVALDEN,WQT5530,* ]] &&
       { [ "$2" = no-search ] || [[ $(lan_search_reply) == A*WQT-LAN/10001 ]]; }; then
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Says why the simulator is not there: its own words when it gave up, or that
# it did not answer.
report_simulator_failure() {
  echo "run.sh: the simulated WQT5530 could not start on $address, so Kestrova is not started." >&2
  if simulator_said | grep -q 'wqt_sim: cannot'; then
    simulator_said | grep 'wqt_sim: cannot' | sed 's/^/  /' >&2
  elif kill -0 "$SIM_PID" 2>/dev/null; then
    echo "  It did not answer on $address port 10001 within 30 s." >&2
  else
    echo "  It ended; its log ($SIM_LOG) ends:" >&2
    simulator_said | tail -n 5 | sed 's/^/  /' >&2
  fi
  echo "Another address of this machine can be given, for example:" \
       "bash scripts/run.sh --address 127.0.0.2" >&2
}

address=127.0.0.1
while [ $# -gt 0 ]; do
  case $1 in
    --address) [ $# -ge 2 ] || usage; address=$2; shift 2 ;;
    --address=*) address=${1#*=}; shift ;;
    *) usage ;;
  esac
done
if ! normal=$(loopback_address "$address"); then
  echo "run.sh: the simulator's address is a 127.x.y.z address of this machine," \
       "each field from 0 to 255, not \"$address\"" >&2
  exit 2
fi
address=$normal

if [ "${KESTROVA_RUN_PREBUILT:-}" != 1 ]; then
  bash "$KESTROVA_ROOT/scripts/setup.sh"
  mkdir -p "$BUILD_DIR"
  # Only what runs here: the program (its build puts the muParser DLL beside
  # it) and the simulator. scripts/build.sh and scripts/test.sh build the rest.
  kestrova_build --target kestrova wqt_sim
fi
kestrova_prefix
kestrova_display
kestrova_wineserver

SOCAT_PID=""
SIM_PID=""
SIM_LOG="$BUILD_DIR/wqt_sim.log"
cleanup() {
  [ -z "$SIM_PID" ] || kill "$SIM_PID" 2>/dev/null || true
  [ -z "$SOCAT_PID" ] || kill "$SOCAT_PID" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  [ -z "${KESTROVA_XVFB_PID:-}" ] || kill "$KESTROVA_XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT

rm -f "$WINEPREFIX/dosdevices/com3" "$WINEPREFIX/dosdevices/com4"
socat pty,raw,echo=0,link="$WINEPREFIX/dosdevices/com3" \
      pty,raw,echo=0,link="$WINEPREFIX/dosdevices/com4" 2>/dev/null &
SOCAT_PID=$!
for _ in $(seq 1 100); do
  [ -e "$WINEPREFIX/dosdevices/com3" ] && [ -e "$WINEPREFIX/dosdevices/com4" ] && break
  sleep 0.05
done
# Under Wine the LAN search's ports are held for every 127.x.y.z address at
# once, so another program (another simulator) may hold them whatever the
# address: the simulator then goes on without answering the search.
search_held=""
start_simulator --discovery "$address"
if ! wait_for_simulator "wqt_sim: answering the LAN search" search; then
  search_held=$(simulator_said | sed -n 's/^wqt_sim: cannot answer the LAN search on [^:]*: //p')
  [ -n "$search_held" ] || { report_simulator_failure; exit 1; }
  wait "$SIM_PID" 2>/dev/null || true
  start_simulator
  wait_for_simulator "wqt_sim: WQT5530 on COM4" no-search || { report_simulator_failure; exit 1; }
fi

echo "Simulated WQT5530: LAN $address, serial COM3 (log: $SIM_LOG)"
if [ -n "$search_held" ]; then
  echo "The LAN search does not find it: it could not take the search's ports, UDP 65535" \
       "and 30718 ($search_held). Type $address into \"IP Address:\" instead."
fi
# The LAN search asks the simulator's address, where it answers, instead of
# broadcasting on the network.
KESTROVA_LAN_SEARCH_ADDRESS=$address wine "$BUILD_DIR/app/kestrova.exe"
