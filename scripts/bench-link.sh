#!/usr/bin/env bash
# Builds, then times the link with build/tools/bench_link.exe: over TCP
# against the simulated instrument in the same process and against a native
# responder outside Wine (tools/lan_responder.pl) on a free 127.x.y.z
# address, each beside a plain Winsock loop; and over a serial pty pair.
#   scripts/bench-link.sh [COUNT]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

mkdir -p "$BUILD_DIR"
kestrova_build >/dev/null
kestrova_prefix

responder=""
finish() { [ -n "$responder" ] && kill "$responder" 2>/dev/null || true; }
trap finish EXIT

# The responder prints "listening" once bound; an address in use makes it
# end, and another is tried.
ready=$(mktemp "${TMPDIR:-/tmp}/kestrova-bench.XXXXXX")
address=""
for _ in $(seq 1 20); do
  candidate="127.$((RANDOM % 250 + 1)).$((RANDOM % 256)).$((RANDOM % 250 + 1))"
  : >"$ready"
  perl "$KESTROVA_ROOT/tools/lan_responder.pl" "$candidate" >"$ready" 2>/dev/null &
  responder=$!
  for _ in $(seq 1 50); do
    grep -q listening "$ready" && break
    kill -0 "$responder" 2>/dev/null || break
    sleep 0.05
  done
  if grep -q listening "$ready"; then address=$candidate; break; fi
  responder=""
done
rm -f "$ready"
[ -n "$address" ] || { echo "bench-link: no free loopback address for the responder" >&2; exit 1; }

bash "$KESTROVA_ROOT/scripts/wine-run.sh" "$BUILD_DIR/tools/bench_link.exe" "${1:-1000}" --lan "$address"
