#!/usr/bin/env bash
# scripts/run.sh starts Kestrova only beside a simulator that answers: with
# the simulator's TCP port held it stops with the simulator's reason and
# claims none; an address that is no 127.x.y.z address is refused; with only
# the LAN search's port held it starts without the search and says why; on a
# free address typed with a leading zero the simulator answers at the
# normalised address. Kestrova's LAN search goes to that address, and ending
# Kestrova ends run.sh and the simulator.
#   run_script_test.sh BUILD_DIR      (Kestrova and the simulator built there)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export BUILD_DIR=${1:?usage: run_script_test.sh BUILD_DIR}
work="$BUILD_DIR/run-script-test"
mkdir -p "$work"
# run.sh ends its prefix's wineserver when it stops, so it gets a prefix of
# its own (made once, then kept), and a display of its own (run.sh starts
# one), where Kestrova's window takes no focus from other tests' windows.
export WINEPREFIX="$work/wineprefix"
unset DISPLAY
export KESTROVA_RUN_PREBUILT=1
failed=0
holder=""
run_pid=""
trap '[ -z "$holder$run_pid" ] || kill $holder $run_pid 2>/dev/null; wait; wineserver -k >/dev/null 2>&1' EXIT

fail() {
  echo "FAILED: $*"
  failed=1
}

# An address in 127.0.0.0/8 of this test's own, away from 127.0.0.x.
own_address() {
  echo "127.$((40 + RANDOM % 200)).$((RANDOM % 256)).$((1 + RANDOM % 250))"
}

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
  for _ in $(seq 1 100); do taken "$1" "$2" && return 0; sleep 0.1; done
  fail "could not hold the $1 port of $2"
}

release() {
  kill "$holder" 2>/dev/null
  wait "$holder" 2>/dev/null
  holder=""
}

# The Linux process of the Windows program of that name in this prefix.
program_pid() { # name.exe
  local p
  for p in /proc/[0-9]*; do
    tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    tr '\0' ' ' 2>/dev/null <"$p/cmdline" | grep -qiF -e "/$1 " -e "\\$1 " &&
      { basename "$p"; return 0; }
  done
  return 1
}

# Starts run.sh on the typed address and checks that the simulator it reports
# answers at the normalised address, and the LAN search too unless run.sh
# says its ports are held (which they must then be, and must be when
# search-held is "yes"); that Kestrova's LAN search goes there; and that
# ending Kestrova ends run.sh and the simulator.
expect_started() { # typed-address address search-held(yes|any)
  local a=$2 log="$work/run.out" pid="" reply
  bash "$root/scripts/run.sh" --address "$1" >"$log" 2>&1 &
  run_pid=$!
  for _ in $(seq 1 900); do
    grep -q "Simulated WQT5530" "$log" && break
    kill -0 "$run_pid" 2>/dev/null || break
    sleep 0.1
  done
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
  for _ in $(seq 1 300); do pid=$(program_pid kestrova.exe) && break; sleep 0.1; done
  if [ -z "$pid" ]; then
    fail "$a: Kestrova is not started"
  else
    tr '\0' '\n' <"/proc/$pid/environ" | grep -qxF "KESTROVA_LAN_SEARCH_ADDRESS=$a" \
      || fail "$a: Kestrova's LAN search is not sent there"
    kill "$pid"
  fi
  for _ in $(seq 1 300); do kill -0 "$run_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$run_pid" 2>/dev/null && { fail "$a: run.sh goes on after Kestrova ended"; kill "$run_pid"; }
  wait "$run_pid" 2>/dev/null
  run_pid=""
  (exec 3<>"/dev/tcp/$a/10001") 2>/dev/null && fail "$a: the simulator outlives run.sh"
}

# The instrument's TCP port held: run.sh fails with the simulator's reason and
# claims nothing. (The first run also makes the prefix.)
a=$(own_address)
hold tcp "$a"
out=$(timeout 150 bash "$root/scripts/run.sh" --address "$a" 2>&1)
rc=$?
release
[ "$rc" -eq 1 ] || fail "$a held: run.sh gave $rc, expected 1: $out"
for said in "could not start on $a, so Kestrova is not started" \
            "wqt_sim: cannot listen on $a port 10001: the address is in use by another program"; do
  grep -qF "$said" <<<"$out" || fail "$a held: it does not say \"$said\": $out"
done
grep -q "Simulated WQT5530" <<<"$out" && fail "$a held: the simulator is claimed: $out"

# An address outside 127.0.0.0/8 or out of range is refused before anything
# starts.
for bad in 10.0.0.1 127.0.0.256; do
  out=$(timeout 30 bash "$root/scripts/run.sh" --address "$bad" 2>&1)
  rc=$?
  [ "$rc" -eq 2 ] || fail "$bad: run.sh gave $rc, expected 2: $out"
  grep -qF "127.x.y.z address of this machine, each field from 0 to 255, not \"$bad\"" <<<"$out" \
    || fail "$bad: not refused plainly: $out"
done

# The LAN search's port held: the simulator answers without the search, and
# run.sh says why.
a=$(own_address)
hold udp "$a"
expect_started "$a" "$a" yes
grep -qF "(the address is in use by another program)" "$work/run.out" \
  || fail "search port of $a held: no reason given: $(cat "$work/run.out")"
release

# A free address of its own: "010" is ten, not octal eight.
a=$(own_address)
a=${a%.*}.10
expect_started "${a%.*}.010" "$a" any

exit "$failed"
