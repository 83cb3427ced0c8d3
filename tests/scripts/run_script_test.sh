#!/usr/bin/env bash
# scripts/run.sh starts Kestrova only beside a simulator that answers, at
# the address typed (normalised); it fails plainly when it cannot, and
# ending Kestrova ends run.sh and the simulator.
#   run_script_test.sh BUILD_DIR      (Kestrova and the simulator built there)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export BUILD_DIR=${1:?usage: run_script_test.sh BUILD_DIR}
work="$BUILD_DIR/run-script-test"
mkdir -p "$work"
# run.sh ends its prefix's wineserver when it stops: a prefix of its own
# (made once, then kept), and its own display, where it takes no focus.
export WINEPREFIX="$work/wineprefix" KESTROVA_RUN_PREBUILT=1
unset DISPLAY
failed=0 holder="" run_pid="" log="$work/run.out"
trap '[ -z "$holder$run_pid" ] || kill $holder $run_pid 2>/dev/null; wait; wineserver -k >/dev/null 2>&1' EXIT

fail() { echo "FAILED: $*"; failed=1; }
# Runs the command until it succeeds, every 0.1 s, N times at most.
wait_for() { # N command...
  for _ in $(seq 1 "$1"); do "${@:2}" && return 0; sleep 0.1; done
  return 1
}
# An address in 127.0.0.0/8 of this test's own, away from 127.0.0.x.
own_address() { echo "127.$((40 + RANDOM % 200)).$((RANDOM % 256)).$((1 + RANDOM % 250))"; }

# True when the kernel's tables list the port (tcp: 10001, listening; udp:
# 65535, bound) as held on the address or on all addresses (as Wine binds).
taken() { # tcp|udp address
  local table=/proc/net/tcp state=0A port=10001 f at
  [ "$1" = udp ] && { table=/proc/net/udp; state=07; port=65535; }
  IFS=. read -r -a f <<<"$2"
  at=$(printf '%02X%02X%02X%02X:%04X' "${f[3]}" "${f[2]}" "${f[1]}" "${f[0]}" "$port")
  awk -v at="$at" -v any="00000000:${at#*:}" -v state="$state" \
      '($2 == at || $2 == any) && $4 == state { found = 1 } END { exit !found }' "$table"
}

# Holds the port as another program would, until release.
hold() { # tcp|udp address
  local socat_address="UDP-RECV:65535,bind=$2"
  [ "$1" = tcp ] && socat_address="TCP-LISTEN:10001,bind=$2,fork"
  socat -u "$socat_address" /dev/null 2>/dev/null &
  holder=$!
  wait_for 100 taken "$1" "$2" || fail "could not hold the $1 port of $2"
}
release() { kill "$holder" 2>/dev/null; wait "$holder" 2>/dev/null; holder=""; }

# The Linux process of Kestrova in this prefix.
kestrova_pid() {
  local p
  for p in /proc/[0-9]*; do
    tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
      tr '\0' ' ' 2>/dev/null <"$p/cmdline" | grep -qiF -e "/kestrova.exe " -e "\\kestrova.exe " &&
      { basename "$p"; return 0; }
  done
  return 1
}
reported() { grep -q "Simulated WQT5530" "$log" || ! kill -0 "$run_pid" 2>/dev/null; }
run_ended() { ! kill -0 "$run_pid" 2>/dev/null; }

# run.sh on the typed address: the simulator and (unless run.sh says its
# ports are held, as they then must be, and must be when search-held is
# "yes") the LAN search answer at the normalised address, Kestrova's search
# goes there, and its end ends all.
expect_started() { # typed-address address search-held(yes|any)
  local a=$2 pid="" reply
  bash "$root/scripts/run.sh" --address "$1" >"$log" 2>&1 &
  run_pid=$!
  wait_for 900 reported
  grep -qF "Simulated WQT5530: LAN $a, serial COM3" "$log" || fail "$a: no simulator reported: $(cat "$log")"
  reply=$(exec 2>/dev/null 3<>"/dev/tcp/$a/10001" && printf '*IDN?\n' >&3 && IFS= read -r -t 2 r <&3 && echo "$r")
  [[ $reply == TROSVALDEN,WQT5530,* ]] || fail "$a: the simulator answers \"$reply\" to *IDN?"
  if grep -qF "The LAN search does not find it: it could not take the search's ports" "$log"; then
    taken udp "$a" || fail "$a: the LAN search's ports are said to be held, but are free"
  else
    [ "$3" != yes ] || fail "$a: nothing says the LAN search does not find it: $(cat "$log")"
    reply=$(printf 'X' | timeout 3 socat -t 0.5 - "UDP-DATAGRAM:$a:65535" 2>/dev/null)
    [[ $reply == A*WQT-LAN/10001 ]] || fail "$a: the LAN search is answered \"$reply\""
  fi
  for _ in $(seq 1 300); do pid=$(kestrova_pid) && break; sleep 0.1; done
  [ -n "$pid" ] && tr '\0' '\n' <"/proc/$pid/environ" | grep -qxF "KESTROVA_LAN_SEARCH_ADDRESS=$a" \
    || fail "$a: Kestrova is not started, or its LAN search is not sent there"
  [ -z "$pid" ] || kill "$pid"
  wait_for 300 run_ended || { fail "$a: run.sh goes on after Kestrova ended"; kill "$run_pid"; }
  wait "$run_pid" 2>/dev/null
  run_pid=""
  (exec 3<>"/dev/tcp/$a/10001") 2>/dev/null && fail "$a: the simulator outlives run.sh"
}

# run.sh fails with the exit code and says each of the texts; it claims no
# simulator.
expect_refused() { # address rc text...
  local out rc
  out=$(timeout 150 bash "$root/scripts/run.sh" --address "$1" 2>&1)
  rc=$?
  [ "$rc" -eq "$2" ] || fail "$1: run.sh gave $rc, expected $2: $out"
  for said in "${@:3}"; do grep -qF "$said" <<<"$out" || fail "$1: it does not say \"$said\": $out"; done
  grep -q "Simulated WQT5530" <<<"$out" && fail "$1: the simulator is claimed: $out"
}

# The TCP port held (the first run also makes the prefix): the simulator's
# reason.
a=$(own_address)
hold tcp "$a"
expect_refused "$a" 1 "could not start on $a, so Kestrova is not started" \
  "wqt_sim: cannot listen on $a port 10001: the address is in use by another program"
release
# An address outside 127.0.0.0/8 or out of range.
for bad in 10.0.0.1 127.0.0.256; do
  expect_refused "$bad" 2 "127.x.y.z address of this machine, each field from 0 to 255, not \"$bad\""
done

# The search's port held: the simulator answers without it, saying why.
a=$(own_address)
hold udp "$a"
expect_started "$a" "$a" yes
grep -qF "(the address is in use by another program)" "$log" || fail "search port of $a held: no reason: $(cat "$log")"
release

# A free address of its own: "010" is ten, not octal eight.
a=$(own_address)
a=${a%.*}.10
expect_started "${a%.*}.010" "$a" any
exit "$failed"
