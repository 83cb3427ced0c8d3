#!/usr/bin/env bash
# scripts/run.sh starts Kestrova only beside a simulator that answers. With
# the simulator's TCP port held by another program it stops with the
# simulator's reason and claims no simulator; an address that is no
# 127.x.y.z address is refused before anything starts; with only the LAN
# search's port held it starts the simulator without the search and says
# why; on a free address of its own (typed with a leading zero) the
# simulator answers at the normalised address. Each time it starts, Kestrova
# runs with its LAN search sent to that address, and ending Kestrova ends
# run.sh and the simulator.
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
finish() {
  [ -z "$holder" ] || kill "$holder" 2>/dev/null
  [ -z "$run_pid" ] || kill "$run_pid" 2>/dev/null
  wait 2>/dev/null
  wineserver -k >/dev/null 2>&1
}
trap finish EXIT

fail() {
  echo "FAILED: $*"
  failed=1
}

# An address in 127.0.0.0/8 of this test's own, away from 127.0.0.x.
own_address() {
  echo "127.$((40 + RANDOM % 200)).$((RANDOM % 256)).$((1 + RANDOM % 250))"
}

# The port of a kind: "tcp" the instrument's TCP port 10001, "udp" the LAN
# search's port 65535.
port_of() { # kind
  if [ "$1" = tcp ]; then echo 10001; else echo 65535; fi
}

# True when a socket of this machine holds the port on the address or on all
# addresses (as Wine binds the LAN search's ports), as the kernel's tables
# list it: a listening TCP socket, or a bound UDP one.
taken() { # kind address
  local table=/proc/net/tcp state=0A fields at
  [ "$1" = udp ] && { table=/proc/net/udp; state=07; }
  IFS=. read -r -a fields <<<"$2"
  at=$(printf '%02X%02X%02X%02X:%04X' "${fields[3]}" "${fields[2]}" "${fields[1]}" "${fields[0]}" \
       "$(port_of "$1")")
  awk -v at="$at" -v any="00000000:${at#*:}" -v state="$state" \
      '($2 == at || $2 == any) && $4 == state { found = 1 } END { exit !found }' "$table"
}

# Holds the port as another program would, until the next release.
hold() { # kind address
  local spec="UDP-RECV:65535,bind=$2"
  [ "$1" = tcp ] && spec="TCP-LISTEN:10001,bind=$2,fork"
  socat -u "$spec" /dev/null 2>/dev/null &
  holder=$!
  for _ in $(seq 1 100); do taken "$1" "$2" && return 0; sleep 0.1; done
  fail "could not hold the $1 port of $2"
}

release() {
  kill "$holder" 2>/dev/null
  wait "$holder" 2>/dev/null
  holder=""
}

# The reply to "*IDN?" on the address's TCP port 10001, or nothing.
identity_reply() { # address
  (
    exec 3<>"/dev/tcp/$1/10001" || exit 1
    printf '*IDN?\n' >&3
    IFS= read -r -t 2 reply <&3
    printf '%s' "${reply%$'\r'}"
  ) 2>/dev/null
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

# Starts run.sh on the typed address in the background and checks, once it
# reports the simulator, that the simulator answers at the normalised address
# (and the LAN search unless run.sh says its ports are held, which they must
# then be), that Kestrova runs with its LAN search sent there, and that
# ending Kestrova ends run.sh and the simulator.
expect_started() { # case typed-address address search-note-expected(yes|no|any)
  local what=$1 a=$3 log="$work/run.out" pid="" reply search
  bash "$root/scripts/run.sh" --address "$2" >"$log" 2>&1 &
  run_pid=$!
  for _ in $(seq 1 900); do
    grep -q "Simulated WQT5530" "$log" && break
    kill -0 "$run_pid" 2>/dev/null || break
    sleep 0.1
  done
  grep -qF "Simulated WQT5530: LAN $a, serial COM3" "$log" \
    || fail "$what: the simulator is not reported: $(cat "$log")"
  reply=$(identity_reply "$a")
  [[ $reply == TROSVALDEN,WQT5530,* ]] || fail "$what: the simulator answers \"$reply\" to *IDN?"
  if grep -qF "The LAN search does not find it: it could not take the search's ports" "$log"; then
    [ "$4" != no ] || fail "$what: the LAN search is said not to find it: $(cat "$log")"
    taken udp "$a" || fail "$what: the LAN search's ports are said to be held, but are free"
  else
    [ "$4" != yes ] || fail "$what: nothing says the LAN search does not find it: $(cat "$log")"
    search=$(printf 'X' | timeout 3 socat -t 0.5 - "UDP-DATAGRAM:$a:65535" 2>/dev/null)
    [[ $search == A*WQT-LAN/10001 ]] || fail "$what: the LAN search is answered \"$search\""
  fi
  for _ in $(seq 1 300); do pid=$(program_pid kestrova.exe) && break; sleep 0.1; done
  if [ -z "$pid" ]; then
    fail "$what: Kestrova is not started"
  else
    tr '\0' '\n' <"/proc/$pid/environ" | grep -qxF "KESTROVA_LAN_SEARCH_ADDRESS=$a" \
      || fail "$what: Kestrova's LAN search is not sent to $a"
    kill "$pid"
  fi
  for _ in $(seq 1 300); do kill -0 "$run_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$run_pid" 2>/dev/null; then
    fail "$what: run.sh goes on after Kestrova ended"
    kill "$run_pid"
  fi
  wait "$run_pid" 2>/dev/null
  run_pid=""
  (exec 3<>"/dev/tcp/$a/10001") 2>/dev/null && fail "$what: the simulator outlives run.sh"
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
# run.sh says why the search does not find it.
a=$(own_address)
hold udp "$a"
expect_started "search port of $a held" "$a" "$a" yes
grep -qF "(the address is in use by another program)" "$work/run.out" \
  || fail "search port of $a held: no reason given: $(cat "$work/run.out")"
release

# A free address of its own: the simulator answers there (the LAN search too,
# unless another program holds its ports). "010" is ten, not octal eight.
a=$(own_address)
a=${a%.*}.10
expect_started "free $a" "${a%.*}.010" "$a" any

exit "$failed"
